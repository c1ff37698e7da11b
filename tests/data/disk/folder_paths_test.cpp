#include "data/disk/folder_paths.h"

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

// An installed program never keeps data beside itself; a copy in a folder of
// its own does; --data-dir always wins.
TEST(ChooseDataFolder, FollowsTheOptionThenWhereTheProgramLives) {
    struct Case {
        std::string option;
        bool installed;
        const char* xdg;
        const char* home;
        std::string path;
        bool inUserDataHome;
    };
    const Case cases[] = {
        {"/media/backup", true, "/x", "/home/u", "/media/backup", false},
        {"", false, "/x", "/home/u", "/opt/copy", false},
        {"", true, nullptr, "/home/u", "/home/u/.local/share/hanaki", true},
        {"", true, "", "/home/u", "/home/u/.local/share/hanaki", true},
        {"", true, "/data/", "/home/u", "/data/hanaki", true},
        {"", true, "/data", nullptr, "/data/hanaki", true},
        // A relative XDG_DATA_HOME does not count.
        {"", true, "rel/data", "/home/u", "/home/u/.local/share/hanaki", true},
        {"", true, nullptr, nullptr, "/opt/copy", false},
    };
    for (const Case& c : cases) {
        DataFolderChoice choice =
            ChooseDataFolder(c.option, "/opt/copy", c.installed, c.xdg, c.home);
        EXPECT_EQ(choice.path, c.path) << c.option << " " << (c.xdg ? c.xdg : "(unset)");
        EXPECT_EQ(choice.inUserDataHome, c.inUserDataHome) << c.path;
    }
}

TEST(MakePrivateFolder, MakesTheHouseholdFolderForItsOwnerAlone) {
    testing::TempFolder temp;
    const fs::path folder = fs::path(temp.path()) / "share" / "hanaki";
    ASSERT_EQ(MakePrivateFolder(folder.string()), 0);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_directory(folder.parent_path()));

    // A folder the user made earlier keeps the mode the user gave it.
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    ASSERT_EQ(MakePrivateFolder(folder.string()), 0);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);

    temp.Write("file", "x");
    EXPECT_NE(MakePrivateFolder((fs::path(temp.path()) / "file" / "hanaki").string()), 0);
}

}  // namespace
}  // namespace hanaki
