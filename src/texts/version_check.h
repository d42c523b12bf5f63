#pragma once
// The decision of the update check on the version service's answer. The
// request itself belongs to the window side; these are pure functions.
#include <string_view>

namespace ks {

// The program's own version.
inline constexpr const char* Program_Version = "1.001";

// A version text such as "VER. 1.002" or "1.001" to a four-digit integer
// (1002, 1001): the text after the first blank, trimmed; its first character
// and its third to fifth characters read as one decimal number. -1 when the
// text is shorter or those characters are not all digits.
int Conv_Version(std::string_view ver_str);

enum class VersionVerdict {
    Newer,      // the service reports a version newer than ours
    Not_Newer,  // the same or an older version
    Invalid,    // no answer, "VER. 0.000" (no version known) or a text that does not convert
};

// Judges the body of the version service's answer against `own_version`.
VersionVerdict Check_Version_Answer(std::string_view answer, std::string_view own_version = Program_Version);

// True exactly when the answer reports a newer version.
inline bool Check_Version(std::string_view answer) {
    return Check_Version_Answer(answer) == VersionVerdict::Newer;
}

} // namespace ks
