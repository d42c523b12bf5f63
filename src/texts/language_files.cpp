#include "texts/language_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/text_util.h"

namespace ks {

namespace fs = std::filesystem;

std::vector<std::string> Language_Files(const std::string& language_dir) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(To_Path(language_dir), ec);
    if (ec) return names;
    for (const fs::directory_entry& e : it) {
        std::error_code fec;
        if (!e.is_regular_file(fec) || fec) continue;
        const std::string name = From_Path(e.path().filename());
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".lng") != 0) continue;
        const fs::perms p = e.status(fec).permissions();
        if (fec || (p & fs::perms::owner_write) == fs::perms::none) continue;  // read-only
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = Upper_Ascii(a), ub = Upper_Ascii(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

std::string Language_Of_File(const std::string& file_name) {
    return file_name.size() >= 4 ? file_name.substr(0, file_name.size() - 4) : std::string();
}

} // namespace ks
