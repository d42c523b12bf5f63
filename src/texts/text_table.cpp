#include "texts/text_table.h"

#include <cstdint>
#include <optional>

#include "core/text_util.h"

namespace ks {

namespace {

constexpr std::string_view kPilcrow = "\xC2\xB6";  // U+00B6 in UTF-8
constexpr char32_t kReplacement = 0xFFFD;

void Append_Utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Copies UTF-8, replacing each maximal invalid subsequence with U+FFFD.
std::string Sanitize_Utf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    const size_t n = in.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) len = 2;
        else if (b == 0xE0) { len = 3; lo = 0xA0; }
        else if (b >= 0xE1 && b <= 0xEC) len = 3;
        else if (b == 0xED) { len = 3; hi = 0x9F; }  // no surrogates
        else if (b >= 0xEE && b <= 0xEF) len = 3;
        else if (b == 0xF0) { len = 4; lo = 0x90; }
        else if (b >= 0xF1 && b <= 0xF3) len = 4;
        else if (b == 0xF4) { len = 4; hi = 0x8F; }
        if (len == 0) {
            Append_Utf8(out, kReplacement);
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 1; k < len; ++k, ++j) {
            if (j >= n) { ok = false; break; }
            const auto c = static_cast<unsigned char>(in[j]);
            const unsigned char l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
            if (c < l || c > h) { ok = false; break; }
        }
        if (ok) out.append(in.substr(i, static_cast<size_t>(len)));
        else Append_Utf8(out, kReplacement);
        i = j;  // skip the valid prefix of a broken sequence as one fault
    }
    return out;
}

std::string Utf16_To_Utf8(std::string_view in, bool big_endian) {
    std::string out;
    out.reserve(in.size());
    const size_t units = in.size() / 2;
    auto unit = [&](size_t k) -> char32_t {
        const auto a = static_cast<unsigned char>(in[2 * k]);
        const auto b = static_cast<unsigned char>(in[2 * k + 1]);
        return big_endian ? static_cast<char32_t>((a << 8) | b) : static_cast<char32_t>((b << 8) | a);
    };
    for (size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (k + 1 < units) {
                const char32_t v = unit(k + 1);
                if (v >= 0xDC00 && v <= 0xDFFF) {
                    Append_Utf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                    ++k;
                    continue;
                }
            }
            Append_Utf8(out, kReplacement);
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            Append_Utf8(out, kReplacement);
        } else {
            Append_Utf8(out, u);
        }
    }
    if (in.size() % 2 != 0) Append_Utf8(out, kReplacement);  // a torn last unit
    return out;
}

// Windows-1252 between 0x80 and 0x9F; 0 marks the five undefined bytes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::string Cp1252_To_Utf8(std::string_view in) {
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (const char ch : in) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            const char16_t c = kCp1252High[b - 0x80];
            Append_Utf8(out, c ? static_cast<char32_t>(c) : kReplacement);
        } else {
            Append_Utf8(out, b);
        }
    }
    return out;
}

std::string_view Trim_View(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

// A decimal integer with an optional sign and nothing else; empty when the
// text is not one or does not fit in 32 bits.
std::optional<int32_t> Decimal_Value(std::string_view s) {
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    if (i >= s.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t{INT32_MAX} + 1) return std::nullopt;  // a long digit run cannot overflow
    }
    if (neg) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(v);
}

// Start of the last character (code point) of a UTF-8 text.
size_t Last_Char_Start(std::string_view s) {
    size_t k = s.size();
    while (k > 0) {
        --k;
        if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) break;
    }
    return k;
}

// The name may not lead out of the language folder.
bool Is_Plain_Language_Name(const std::string& name) {
    if (Trim(name).empty()) return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '\0') return false;
    return true;
}

} // namespace

std::string Language_Bytes_To_Utf8(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return Sanitize_Utf8(bytes.substr(3));
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return Utf16_To_Utf8(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return Utf16_To_Utf8(bytes.substr(2), true);
    return Cp1252_To_Utf8(bytes);
}

void TextTable::Load_Default_Texts() {
    texts_.clear();
    texts_.reserve(Default_Size);
    for (int i = 0; i < Default_Size; ++i) texts_.emplace_back(Default_Text(i));
    size_ = Default_Size;
}

const std::string& TextTable::operator[](int i) const {
    static const std::string empty;
    if (i < 0 || i >= static_cast<int>(texts_.size())) return empty;
    return texts_[static_cast<size_t>(i)];
}

void TextTable::Set(int i, std::string text) {
    if (i < 0 || i >= static_cast<int>(texts_.size())) return;
    texts_[static_cast<size_t>(i)] = std::move(text);
}

void TextTable::Load_Language_File(const std::string& path) { Apply_Language_File(path); }

bool TextTable::Apply_Language_File(const std::string& path) {
    if (!Is_File(path)) return false;
    const auto bytes = Read_File(path);
    if (!bytes) return false;
    Apply_Language_Text(*bytes);
    return true;
}

void TextTable::Apply_Language_Text(std::string_view bytes) {
    const std::string text = Language_Bytes_To_Utf8(bytes);
    const std::string_view all(text);
    size_t pos = 0;
    while (pos < all.size()) {
        // Lines end at CR LF, LF or CR.
        size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view raw = all.substr(pos, end - pos);
        pos = end;
        if (pos < all.size()) pos += (all[pos] == '\r' && pos + 1 < all.size() && all[pos + 1] == '\n') ? 2 : 1;

        const std::string_view line = Trim_View(raw);
        if (line.substr(0, 3) != "STR") continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        // The one character just before "=" is a separator and is dropped
        // unread, whatever it is: "STR12=x" names entry 1.
        const std::string_view head = line.substr(3, eq - 3);
        const size_t sep = Last_Char_Start(head);
        // A character outside the 16-bit range counts as two, so dropping
        // one would leave half a character in the index: not a number.
        if (head.size() - sep == 4) continue;
        const auto index = Decimal_Value(Trim_View(head.substr(0, sep)));
        if (!index || *index < 0 || *index >= size_) continue;

        std::string_view value = Trim_View(line.substr(eq + 1));
        if (value.empty()) continue;
        const size_t comment = value.find("/#/");
        if (comment != std::string_view::npos) {
            value = Trim_View(value.substr(0, comment));
            if (value.empty()) continue;
        }
        if (value.substr(0, kPilcrow.size()) == kPilcrow) value.remove_prefix(kPilcrow.size());
        const size_t close = value.find(kPilcrow);
        if (close != std::string_view::npos) value = value.substr(0, close);
        Set(*index, std::string(value));
    }
}

void Load_Texts(TextTable& table, const std::string& language_dir, std::string& language_name) {
    table.Load_Default_Texts();
    if (Is_Plain_Language_Name(language_name) &&
        table.Apply_Language_File(Join_Path(language_dir, language_name + ".lng")))
        return;
    const bool was_english = language_name == "English";
    language_name = "English";
    if (!was_english) table.Apply_Language_File(Join_Path(language_dir, "English.lng"));
}

} // namespace ks
