#include <filesystem>
#include <string>
#include <system_error>

#include "app/startup.h"
#include "core/text_util.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ks {

std::string Executable_Dir() {
    namespace fs = std::filesystem;
    fs::path exe;
#ifdef _WIN32
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) break;
        if (n < buf.size()) {
            buf.resize(n);
            exe = fs::path(buf);
            break;
        }
        buf.resize(buf.size() * 2);  // truncated: retry with room for a long path
    }
#else
    std::error_code ec;
    exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe.clear();
#endif
    if (exe.empty()) {
        std::error_code ec2;
        return From_Path(fs::current_path(ec2));
    }
    return From_Path(exe.parent_path());
}

} // namespace ks
