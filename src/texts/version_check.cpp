#include "texts/version_check.h"

#include <string>

#include "core/text_util.h"

namespace ks {

namespace {

// Number of characters of a UTF-8 text (a character being a lead byte with
// its continuation bytes).
size_t Char_Count(std::string_view s) {
    size_t n = 0;
    for (const char ch : s)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

// The k-th character (from 0) as a byte; 0 when it is not a one-byte character.
char Char_At(std::string_view s, size_t k) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) == 0x80) continue;
        if (n == k) return b < 0x80 ? s[i] : '\0';
        ++n;
    }
    return '\0';
}

} // namespace

int Conv_Version(std::string_view ver_str) {
    const size_t blank = ver_str.find(' ');
    const std::string t = Trim(blank == std::string_view::npos ? ver_str : ver_str.substr(blank + 1));
    if (Char_Count(t) < 5) return -1;
    // The second character, the point, is skipped.
    int v = 0;
    for (const size_t k : {0u, 2u, 3u, 4u}) {
        const char c = Char_At(t, k);
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

VersionVerdict Check_Version_Answer(std::string_view answer, std::string_view own_version) {
    const std::string a = Trim(Upper_Ascii(answer));
    if (a.empty() || a == "VER. 0.000") return VersionVerdict::Invalid;
    const int own = Conv_Version(own_version);
    const int newest = Conv_Version(a);
    if (own == -1 || newest == -1) return VersionVerdict::Invalid;
    return newest > own ? VersionVerdict::Newer : VersionVerdict::Not_Newer;
}

} // namespace ks
