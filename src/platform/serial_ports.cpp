#include "platform/serial_ports.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <tuple>
#endif

#include "core/text_util.h"

namespace ks {

#ifdef _WIN32

std::vector<std::string> List_COM_Ports() {
    std::vector<std::string> ports;
    for (int n = 1; n <= 256; ++n) {
        const std::string name = "COM" + std::to_string(n);
        const std::string dev = "\\\\.\\" + name;
        HANDLE h = ::CreateFileA(dev.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            ports.push_back(name);
        } else if (::GetLastError() == ERROR_ACCESS_DENIED) {
            ports.push_back(name);  // present, in use by another program
        }
    }
    return ports;
}

#else

namespace {

// Kinds in the order they are listed; within a kind by number.
constexpr const char* Serial_Prefixes[] = {"ttyS", "ttyUSB", "ttyACM"};

bool Is_Present(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // Held by another program or not ours to open: still there.
    return errno == EACCES || errno == EBUSY || errno == EPERM;
}

}  // namespace

std::vector<std::string> List_Serial_Devices(const std::string& dev_dir) {
    namespace fs = std::filesystem;
    std::vector<std::tuple<int, int, std::string>> found;  // kind, number, path
    std::error_code ec;
    for (fs::directory_iterator it(To_Path(dev_dir), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = From_Path(it->path().filename());
        for (int kind = 2; kind >= 0; --kind) {  // longest prefix first: ttyS is a prefix of neither
            const std::string prefix = Serial_Prefixes[kind];
            if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
            const std::string digits = name.substr(prefix.size());
            if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) break;
            const std::string path = Join_Path(dev_dir, name);
            if (Is_Present(path)) found.emplace_back(kind, std::stoi(digits), path);
            break;
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> out;
    for (auto& f : found) out.push_back(std::get<2>(f));
    return out;
}

std::vector<std::string> List_COM_Ports() { return List_Serial_Devices("/dev"); }

#endif

} // namespace ks
