#include "platform/folders.h"

#include <filesystem>

#include "core/text_util.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ks {

namespace {

bool Is_Hidden(const std::filesystem::directory_entry& e, const std::string& name) {
#ifdef _WIN32
    (void)name;
    const DWORD attr = GetFileAttributesW(e.path().c_str());
    return attr == INVALID_FILE_ATTRIBUTES || (attr & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    (void)e;
    return !name.empty() && name[0] == '.';
#endif
}

} // namespace

std::vector<std::string> Visible_Subfolders(const std::string& dir) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(To_Path(dir), ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::error_code ec2;
        if (!it->is_directory(ec2)) continue;
        const std::string name = From_Path(it->path().filename());
        if (name.empty() || name == "." || name == ".." || Is_Hidden(*it, name)) continue;
        names.push_back(name);
    }
    return names;
}

} // namespace ks
