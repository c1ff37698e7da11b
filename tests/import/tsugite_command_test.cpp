#include "import/tsugite_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "data/disk/folder_lock.h"
#include "foreign_folder.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

// A destination "DST" holding older files for a source "SRC" of May.
struct CommandFolders {
    CommandFolders() : root(temp.path().toStdString()) {
        fs::create_directories(root / "SRC");
        fs::create_directories(root / "DST");
        WriteFile(root / "SRC" / "VERADIV.DAT", Sjis(kForeignCategories));
        WriteFile(root / "SRC" / "VERADIV.059", ForeignDays({"0501"}));
        WriteFile(root / "SRC" / "KAKMEMO.059", "new memo");
        WriteFile(root / "DST" / "199905.DAT", "older May");
        WriteFile(root / "DST" / "199905.MEM", "older memo");
    }
    int Run(FileSystem& files) {
        return RunTsugiteCommand(
            ParseTsugiteOptions({"--source", (root / "SRC").string(), "--dest",
                                 (root / "DST").string(), "--closing-day", "31"}),
            files, out, err);
    }

    QTemporaryDir temp;
    fs::path root;
    std::ostringstream out, err;
};

TEST(TsugiteCommand, LeavesOutAndNamesALastRecordCutShortAndExitsWithOne) {
    CommandFolders folders;
    const std::string days = ForeignDays({"0501", "0502"});
    WriteFile(folders.root / "SRC" / "VERADIV.059", days.substr(0, 40 + 14));  // the amount cut

    EXPECT_EQ(folders.Run(RealFileSystem()), 1);
    EXPECT_EQ(folders.err.str(),
              "まちかど帳データ" + (folders.root / "SRC" / "VERADIV.059").string() +
                  "の最後の記録は途中で切れているため(14バイト)、その記録だけ変換"
                  "しませんでした。\n");
    EXPECT_EQ(ReadFile(folders.root / "DST" / "199905.DAT").size(), 104U);
}

TEST(TsugiteCommand, AFileItCannotWriteGoesToStandardErrorCountsAsFailedAndExitsWithOne) {
    for (FsCall call : {FsCall::CreateExclusive, FsCall::Write, FsCall::SyncFileSystem,
                        FsCall::Close, FsCall::Rename}) {
        for (int file : {1, 2}) {  // the ledger, then the memo
            // Each replaced file's line in the history is written first, and synced with the
            // file; the folder lock's file is made before them.
            const int perFile = call == FsCall::Write || call == FsCall::Close ? 2 : 1;
            const int lock = call == FsCall::Rename || call == FsCall::SyncFileSystem ? 0 : 1;
            const int nth = file * perFile + lock;
            CommandFolders folders;
            FaultyFileSystem faulty;
            faulty.Arm({call, nth, EIO});

            int code = folders.Run(faulty);

            const char* which = file == 1 ? "199905.DAT" : "199905.MEM";
            EXPECT_TRUE(faulty.fired()) << NameOf(call) << " " << nth;
            EXPECT_EQ(code, 1) << NameOf(call) << " " << nth;
            EXPECT_NE(folders.err.str().find(which), std::string::npos) << folders.err.str();
            EXPECT_EQ(ReadFile(folders.root / "DST" / which),
                      file == 1 ? std::string("older May") : std::string("older memo"));
            EXPECT_EQ(folders.out.str(),
                      file == 1
                          ? "0個のデータをコンバートしました。1個のデータがコンバート失敗です。\n"
                            "1個のメモデータをリネームコピーしました。\n"
                            "既存のデータ1個を上書きしました。\n"
                          : "1個のデータをコンバートしました。\n"
                            "0個のメモデータをリネームコピーしました。1個のメモデータがコピー"
                            "失敗です。\n"
                            "既存のデータ1個を上書きしました。\n")
                << NameOf(call) << " " << nth;
        }
    }
}

TEST(TsugiteCommand, RefusesAFolderARunningHanakiHolds) {
    QTemporaryDir temp;
    const fs::path root = temp.path().toStdString();
    fs::create_directories(root / "SRC");
    fs::create_directories(root / "DST");
    WriteFile(root / "SRC" / "VERADIV.DAT", Sjis(kForeignCategories));
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
    // Said to someone at a command line, not at a window.
    EXPECT_NE(err.str().find("もう一度実行してください。"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(root / "DST" / "199905.DAT"));
}

}  // namespace
}  // namespace hanaki
