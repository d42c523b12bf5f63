#include "texts/version.h"

#include <charconv>

#include "core/text_util.h"

namespace ks {

int Conv_Version(std::string_view Ver_str) {
    const auto blank = Ver_str.find(' ');
    const std::string v = Trim(blank == std::string_view::npos ? Ver_str : Ver_str.substr(blank + 1));
    if (v.size() < 5) return -1;
    const std::string digits{v[0], v[2], v[3], v[4]};
    // Only plain digits make a version: no sign, no blank, no hex.
    for (char c : digits)
        if (c < '0' || c > '9') return -1;
    int value = -1;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

bool Is_Newer_Version(std::string_view answer, std::string_view own_version) {
    const std::string a = Trim(Upper_Ascii(answer));
    if (a.empty() || a == "VER. 0.000") return false;
    const int own = Conv_Version(own_version);
    const int newest = Conv_Version(a);
    if (own == -1 || newest == -1) return false;
    return newest > own;
}

} // namespace ks
