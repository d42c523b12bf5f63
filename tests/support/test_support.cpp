#include "support/test_support.h"

#include <atomic>
#include <fstream>
#include <random>

#include "app/app_state.h"
#include "app/projects.h"

namespace ks::test {

TempDir::TempDir() {
    namespace fs = std::filesystem;
    static std::atomic<int> counter{0};
    std::random_device rd;
    const fs::path p = fs::temp_directory_path() /
                       ("keystrel-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    path_ = p.string();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void Open_Test_Project(AppState& st, const std::string& dir) {
    st = AppState();
    st.Text_Table.Load_Default_Texts();
    st.Project_Path = dir;
    Set_Files(st);
}

std::string TempDir::operator/(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
    const std::string p = *this / name;
    std::filesystem::create_directories(std::filesystem::path(p).parent_path());
    std::ofstream(p, std::ios::binary) << content;
    return p;
}

} // namespace ks::test
