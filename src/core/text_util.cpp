#include "core/text_util.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

namespace ks {

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return std::string(s.substr(b, e - b));
}

std::string Upper_Ascii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::optional<int32_t> Int_Value_Opt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i >= s.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = v * base + d;
        // Stop early so that a very long digit run cannot overflow.
        if (v > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return std::nullopt;
    return static_cast<int32_t>(v);
}

int32_t Int_Value(std::string_view s, int32_t def) {
    auto v = Int_Value_Opt(s);
    return v ? *v : def;
}

const std::string& Path_Sep() {
    static const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    return sep;
}

std::string Join_Path(std::string_view dir, std::string_view name) {
    std::string r(dir);
    r += Path_Sep();
    r += name;
    return r;
}

std::string Write_File_Atomic(const std::string& path, std::string_view data) {
    namespace fs = std::filesystem;
    const fs::path target = To_Path(path);
    fs::path dir = target.parent_path();
    std::random_device rd;
    const std::string tmp_name = "." + From_Path(target.filename()) + ".tmp" + std::to_string(rd() % 1000000);
    const fs::path tmp = dir.empty() ? fs::path(tmp_name) : dir / tmp_name;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return "Cannot create file " + path;
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(tmp, ec);
            return "Cannot write file " + path;
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ec2;
        fs::remove(tmp, ec2);
        return "Cannot write file " + path + ": " + ec.message();
    }
    return {};
}

std::optional<std::string> Read_File(const std::string& path) {
    std::ifstream in(To_Path(path), std::ios::binary);
    if (!in) return std::nullopt;
    // Reserve the file's size so that a large file is copied once.
    std::string data;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > 0) data.reserve(static_cast<size_t>(size));
    in.clear();
    in.seekg(0, std::ios::beg);
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) data.append(buf, static_cast<size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return data;
}

std::filesystem::path To_Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string From_Path(const std::filesystem::path& p) {
    const std::u8string u = p.u8string();
    return std::string(reinterpret_cast<const char*>(u.data()), u.size());
}

bool Is_Directory(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(To_Path(path), ec);
}

bool Is_File(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(To_Path(path), ec);
}

} // namespace ks
