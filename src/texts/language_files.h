#pragma once
// The language files offered in the software options.
#include <string>
#include <vector>

namespace ks {

// File names (with extension) of the plain, writable files in `language_dir`
// whose name ends in ".lng", sorted without regard to letter case. Folders
// and read-only files are left out; a missing folder gives an empty list.
std::vector<std::string> Language_Files(const std::string& language_dir);

// The language of a file name: the name without its last four characters.
std::string Language_Of_File(const std::string& file_name);

} // namespace ks
