// Feeds arbitrary bytes to the language-file reader: it must never crash,
// keep the table at its size and leave only valid UTF-8 in it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "texts/text_table.h"

namespace {

bool Valid_Utf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        uint32_t c = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
        for (size_t k = 1; k < len; ++k) {
            const auto n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            c = (c << 6) | (n & 0x3Fu);
        }
        static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ks::TextTable defaults = [] {
        ks::TextTable t;
        t.Load_Default_Texts();
        return t;
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (!Valid_Utf8(ks::Language_Bytes_To_Utf8(bytes))) std::abort();

    ks::TextTable table = defaults;
    table.Apply_Language_Text(bytes);
    if (table.Size() != ks::TextTable::Default_Size || table.Entries().size() != defaults.Entries().size())
        std::abort();
    for (int i = 0; i < table.Size(); ++i) {
        const std::string& text = table[i];
        if (text != defaults[i] && !Valid_Utf8(text)) std::abort();
    }
    return 0;
}
