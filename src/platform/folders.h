#pragma once
// Folder services that differ between systems.
#include <string>
#include <vector>

namespace ks {

// Names of the sub-folders of `dir` a user would see, in enumeration order:
// plain files, "." and "..", and hidden or system folders are left out
// (hidden: a name starting with "." on POSIX; the hidden or system attribute
// on Windows). A folder that cannot be read gives an empty list.
std::vector<std::string> Visible_Subfolders(const std::string& dir);

} // namespace ks
