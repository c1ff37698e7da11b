#include "data/folder_paths.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace hanaki {
namespace {

namespace fs = std::filesystem;

// The export and the converter refuse to write into the folder they read from,
// however the user reached it on either side.
TEST(IsSameFolder, SeesOneFolderUnderEverySpelling) {
    testing::TempFolder temp;
    const fs::path root = temp.path();
    fs::create_directories(root / "a" / "b");
    fs::create_directories(root / "dst");
    fs::create_directory_symlink(root / "a", root / "link");
    fs::create_directory_symlink(root / "a" / "b", root / "deep");
    const std::string a = (root / "a").string();

    struct Case {
        std::string other;
        bool same;
    };
    const Case cases[] = {
        {a, true},
        {a + "/", true},
        {a + "//", true},
        {(root / "a" / "b" / "..").string(), true},
        {(root / "dst" / ".." / "a").string(), true},
        {fs::relative(root / "a", fs::current_path()).string(), true},
        {(root / "link").string(), true},
        {(root / "link" / "").string(), true},
        // ".." leaves the folder a link points to, not the folder holding the link.
        {(root / "deep" / "..").string(), true},
        {(root / "a" / "b").string(), false},
        {(root / "dst").string(), false},
        {root.string(), false},
        {(root / "a" / "missing").string(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSameFolder(a, c.other), c.same) << c.other;
    EXPECT_FALSE(IsSameFolder(root.string(), (root / "deep" / "..").string()));
}

TEST(IsSameFolder, ComparesFoldersNotMadeYetByTheirSpelling) {
    testing::TempFolder temp;
    const fs::path root = temp.path();
    fs::create_directories(root / "a");
    fs::create_directory_symlink(root / "a", root / "link");
    const std::string fresh = (root / "a" / "new").string();

    EXPECT_TRUE(IsSameFolder(fresh, fresh + "/"));
    EXPECT_TRUE(IsSameFolder(fresh, (root / "a" / "x" / ".." / "new").string()));
    EXPECT_TRUE(IsSameFolder(fresh, (root / "link" / "new").string()));
    EXPECT_FALSE(IsSameFolder(fresh, (root / "a" / "other").string()));
}

}  // namespace
}  // namespace hanaki
