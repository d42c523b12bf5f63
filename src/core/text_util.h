#pragma once
// Small text and path helpers shared by every reader, writer and check.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ks {

// Removes every character whose code is 32 or less from both ends.
std::string Trim(std::string_view s);
// Upper-cases only the letters a to z.
std::string Upper_Ascii(std::string_view s);

// Integer value of a text: leading blanks, optional sign, decimal digits or
// hexadecimal digits after "$", "x", "X", "0x", "0X"; nothing may follow the
// digits; the value must fit a signed 32-bit integer. Otherwise `def`.
int32_t Int_Value(std::string_view s, int32_t def);
// The same, but empty when the text is not a number.
std::optional<int32_t> Int_Value_Opt(std::string_view s);

// Joins a folder and a name with the platform's separator.
std::string Join_Path(std::string_view dir, std::string_view name);
// The platform's path separator as a one-character string.
const std::string& Path_Sep();

// Writes `data` to `path` through a temporary file in the same folder that is
// then renamed over the target, so a failure never leaves a half-written file.
// Returns an empty string on success, else a message naming the path.
std::string Write_File_Atomic(const std::string& path, std::string_view data);

// Reads a whole file; empty optional when it cannot be opened or read.
std::optional<std::string> Read_File(const std::string& path);

// UTF-8 text <-> filesystem path, correct on Windows too.
std::filesystem::path To_Path(std::string_view utf8);
std::string From_Path(const std::filesystem::path& p);

bool Is_Directory(const std::string& path);
bool Is_File(const std::string& path);

} // namespace ks
