#include "import/tsugite_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "data/folder_lock.h"
#include "foreign_folder.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

TEST(TsugiteCommand, ExitsWithTheCodeOfEachOutcome) {
    struct Case {
        const char* name;
        std::vector<std::string> args;  // "SRC", "DST" and "NONE" stand for folders
        bool categoryFile;
        int code;
        const char* out;
    };
    const Case cases[] = {
        {"converted",
         {"--source", "SRC", "--dest", "DST", "--closing-day", "25"},
         true,
         0,
         "1個のデータをコンバートしました。\n1個のメモデータをリネームコピーしました。\n"
         "既存のデータ1個を上書きしました。\n"},
        {"no category file",
         {"--source", "SRC", "--dest", "DST", "--closing-day", "31"},
         false,
         1,
         "費目ファイル(VERADIV.DAT)がありません。\n"},
        {"same folder",
         {"--source", "SRC", "--dest", "SRC/", "--closing-day", "31"},
         true,
         2,
         "パスが同一です。右のパスを変えて下さい。\n"},
        {"no destination",
         {"--source", "SRC", "--dest", "NONE", "--closing-day", "31"},
         true,
         2,
         ""},
    };
    for (const Case& c : cases) {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        fs::create_directories(root / "SRC");
        fs::create_directories(root / "DST");
        if (c.categoryFile)
            WriteFile(root / "SRC" / "VERADIV.DAT", Cp932(kForeignCategories));
        WriteFile(root / "SRC" / "VERADIV.059", ForeignDays({"0501"}));
        WriteFile(root / "SRC" / "KAKMEMO.059", "memo");
        WriteFile(root / "DST" / "199905.MEM", "older memo");
        std::vector<std::string> args;
        for (const std::string& arg : c.args)
            args.push_back(arg == "SRC" || arg == "DST" || arg == "NONE" || arg == "SRC/"
                               ? (root / arg).string()
                               : arg);
        std::ostringstream out, err;

        TsugiteOptions options = ParseTsugiteOptions(args);
        ASSERT_EQ(options.error, "") << c.name;
        int code = RunTsugiteCommand(options, RealFileSystem(), out, err);

        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(out.str(), c.out) << c.name;
        EXPECT_EQ(fs::exists(root / "DST" / "199905.DAT"), c.code == 0) << c.name;
    }
}

TEST(TsugiteCommand, NamesABadMonthFileByItsFullPathWhenGivenARelativeSource) {
    QTemporaryDir temp;
    const fs::path root = fs::weakly_canonical(temp.path().toStdString());
    fs::create_directories(root / "SRC");
    fs::create_directories(root / "DST");
    WriteFile(root / "SRC" / "VERADIV.DAT", Cp932(kForeignCategories));
    WriteFile(root / "SRC" / "VERADIV.069", ForeignDays({"0632"}));
    const fs::path relative = fs::relative(root / "SRC", fs::current_path());
    ASSERT_TRUE(relative.is_relative());
    std::ostringstream out, err;

    int code =
        RunTsugiteCommand(ParseTsugiteOptions({"--source", relative.string(), "--dest",
                                               (root / "DST").string(), "--closing-day", "31"}),
                          RealFileSystem(), out, err);

    EXPECT_EQ(code, 0);
    EXPECT_EQ(out.str(), "エラー発生、まちかど帳データ" + (root / "SRC" / "VERADIV.069").string() +
                             "を修正して下さい。\n0個のデータをコンバートしました。"
                             "1個のデータがコンバート失敗です。\n"
                             "0個のメモデータをリネームコピーしました。\n");
}

TEST(TsugiteCommand, RefusesAFolderARunningHanakiHolds) {
    QTemporaryDir temp;
    const fs::path root = temp.path().toStdString();
    fs::create_directories(root / "SRC");
    fs::create_directories(root / "DST");
    WriteFile(root / "SRC" / "VERADIV.DAT", Cp932(kForeignCategories));
    WriteFile(root / "SRC" / "VERADIV.059", ForeignDays({"0501"}));
    FolderLock hanaki((root / "DST").string(), "hanaki");
    ASSERT_TRUE(hanaki.held());
    std::ostringstream out, err;

    int code =
        RunTsugiteCommand(ParseTsugiteOptions({"--source", (root / "SRC").string(), "--dest",
                                               (root / "DST").string(), "--closing-day", "31"}),
                          RealFileSystem(), out, err);

    EXPECT_EQ(code, 3);
    EXPECT_NE(err.str().find("hanaki"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(root / "DST" / "199905.DAT"));
}

TEST(TsugiteCommand, RefusesArgumentsItCannotUse) {
    const std::vector<std::vector<std::string>> refused = {
        {"--source", "a", "--dest", "b", "--closing-day", "0"},
        {"--source", "a", "--dest", "b", "--closing-day", "32"},
        {"--source", "a", "--dest", "b", "--closing-day", "x"},
        {"--source", "a", "--dest", "b"},
        {"--source", "a", "--dest", "b", "--closing-day"},
        {"--sauce", "a"},
    };
    for (const auto& args : refused)
        EXPECT_NE(ParseTsugiteOptions(args).error, "") << args[0];

    EXPECT_FALSE(ParseTsugiteOptions({}).commandLine);
    EXPECT_TRUE(ParseTsugiteOptions({"--help"}).help);
    EXPECT_NE(TsugiteUsage().find("--closing-day"), std::string::npos);
}

}  // namespace
}  // namespace hanaki
