#include "app/command_line.h"

#include <gtest/gtest.h>

namespace hanaki {
namespace {

TEST(HanakiCommandLine, VersionAndHelpNeedNoOtherArgument) {
    EXPECT_TRUE(ParseHanakiOptions({"--version"}).version);
    HanakiOptions options = ParseHanakiOptions({"--data-dir", "/srv/household", "--help"});
    EXPECT_TRUE(options.help);
    EXPECT_EQ(options.dataDir, "/srv/household");
    EXPECT_EQ(ParseHanakiOptions({"--versions"}).error, "不明な引数です: --versions");
}

TEST(HanakiCommandLine, HelpStartsWithTheVersionAndEndsWithTheDataFolder) {
    const std::string usage = HanakiUsage("/home/u/.local/share/hanaki");
    EXPECT_EQ(usage.rfind(HanakiVersion() + "使い方: hanaki", 0), 0u) << usage;
    const std::string tail = "\nデータフォルダ: /home/u/.local/share/hanaki\n";
    ASSERT_GE(usage.size(), tail.size());
    EXPECT_EQ(usage.substr(usage.size() - tail.size()), tail);
}

TEST(HanakiCommandLine, AValueMayFollowItsOptionAfterAnEqualsSign) {
    const HanakiOptions options = ParseHanakiOptions(
        {"--data-dir=/srv/a=b", "--print-month", "2026", "12", "--pdf=-", "--today=2026-12-01"});
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.dataDir, "/srv/a=b");
    EXPECT_EQ(options.pdfPath, "-");
    EXPECT_TRUE(options.today);
    EXPECT_EQ(ParseHanakiOptions({"--help=yes"}).error, "不明な引数です: yes");
}

// A file manager opens a household by its category master's path.
TEST(HanakiCommandLine, AHouseholdsCategoryFileOpensItsFolder) {
    struct Case {
        std::vector<std::string> args;
        std::string dataDir;
        std::string title;
    };
    const Case cases[] = {
        {{"/tmp/household/VERADIV.DAT"}, "/tmp/household", ""},
        {{"/home/u/家計簿/Veradiv.Dat"}, "/home/u/家計簿", ""},
        {{"VERADIV.DAT"}, ".", ""},
        {{"/T見出し", "/srv/a/VERADIV.DAT"}, "/srv/a", "見出し"},
        {{"/tmp/household"}, "", "mp/household"},
    };
    for (const Case& c : cases) {
        const HanakiOptions options = ParseHanakiOptions(c.args);
        EXPECT_EQ(options.error, "") << c.args[0];
        EXPECT_EQ(options.dataDir, c.dataDir) << c.args[0];
        EXPECT_EQ(options.titlePrefix, c.title) << c.args[0];
    }
    EXPECT_EQ(ParseHanakiOptions({"/srv/a/VERADIV.ENV"}).error,
              "不明な引数です: /srv/a/VERADIV.ENV");
}

}  // namespace
}  // namespace hanaki
