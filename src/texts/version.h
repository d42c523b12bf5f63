#pragma once
// The program version against the vendor's version service.
#include <string>
#include <string_view>

namespace ks {

// A version text such as "VER. 1.002" or "1.001" as an integer (1002, 1001):
// the text after the first blank, trimmed; its first, third, fourth and fifth
// characters read as a decimal number. -1 when it does not convert.
int Conv_Version(std::string_view Ver_str);

// The decision on the service's answer body: true exactly when it names a
// version newer than `own_version`. An empty answer, "VER. 0.000" (unknown
// code) and any answer that does not convert count as not newer.
bool Is_Newer_Version(std::string_view answer, std::string_view own_version);

} // namespace ks
