#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/startup.h"
#include "core/text_util.h"
#include "platform/folders.h"
#include "support/test_support.h"

namespace ks {
namespace {

TEST(ExecutableDir, IsTheFolderOfThisProgram) {
    const std::string d = Executable_Dir();
    ASSERT_FALSE(d.empty());
    EXPECT_TRUE(Is_Directory(d));
    EXPECT_NE(d.back(), Path_Sep()[0]);
    EXPECT_TRUE(Is_File(Join_Path(d, "core_tests")) || Is_File(Join_Path(d, "core_tests.exe")));
}

TEST(VisibleSubfolders, FoldersOnly) {
    test::TempDir dir;
    for (const char* d : {"b", "a", ".git", "with space"})
        std::filesystem::create_directories(To_Path(dir / d));
    dir.Write("plain.txt", "x");
    std::vector<std::string> names = Visible_Subfolders(dir.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "with space"}));
    EXPECT_TRUE(Visible_Subfolders(dir / "plain.txt").empty());
}

} // namespace
} // namespace ks
