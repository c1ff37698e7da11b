#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "data/formats/fixed_field.h"
#include "data/formats/memo.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

// The desktop session ends while the user is typing in hanaki: logout and
// shutdown send SIGTERM, a closing terminal SIGHUP, Ctrl+C SIGINT.
namespace hanaki {
namespace {

namespace fs = std::filesystem;
using testing::Sjis;
using testing::TempFolder;

const std::string kMilk = testing::RecordBytes(
    {.date = "261207", .categoryName = "食費", .descriptionName = "昼食", .remark = "milk"});

// Waits for `path` to appear, as long as a program may take to start.
bool Appears(const fs::path& path) {
    for (int tries = 0; tries < 1000 && !fs::exists(path); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return fs::exists(path);
}

TEST(SessionEnd, theMemoIsSavedACorrectionLeftAndTheLockReleasedBeforeTheProgramEnds) {
    struct Case {
        const char* name;
        const char* keys;
        int signal;
        std::string memo;  // day 7's first memo line afterwards ("": no memo file)
    };
    const char* const memoTyped = "key:Return|type:/|commit:買い物|type: 2";
    const Case cases[] = {
        {"a memo being typed at logout", memoTyped, SIGTERM, Sjis("買い物 2")},
        {"a memo being typed as the terminal closes", memoTyped, SIGHUP, Sjis("買い物 2")},
        {"a memo being typed at Ctrl+C", memoTyped, SIGINT, Sjis("買い物 2")},
        {"a correction with a changed remark",
         "key:Return|key:Up|key:Return|key:Return|key:Return|key:Return|type:s", SIGTERM, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder data, scratch;
        data.Write("VERADIV.DAT", Sjis("+給料\r\n基本給\r\n-食費\r\n昼食\r\n"));
        data.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
        data.Write("202612.DAT", kMilk);
        const fs::path done = fs::path(scratch.path()) / "typed";
        const pid_t program = testing::StartProgram(
            HANAKI_PROGRAM, {"--data-dir", data.path(), "--today", "2026-12-07"}, scratch.path(),
            "",
            {{"QT_QPA_PLATFORM", "offscreen"},
             {"QT_PLUGIN_PATH", TYPIST_PLUGINS},
             {"QT_QPA_GENERIC_PLUGINS", "typist"},
             {"HANAKI_TYPIST_KEYS", c.keys},
             {"HANAKI_TYPIST_DONE", done.string()}});
        const bool typed = Appears(done);
        ::kill(program, c.signal);
        const testing::ProgramRun run = testing::FinishProgram(program, scratch.path());
        ASSERT_TRUE(typed) << run.err;

        EXPECT_EQ(run.code, 128 + c.signal) << run.err;
        EXPECT_FALSE(data.Exists(".hanaki.lock"));
        EXPECT_EQ(data.Read("202612.DAT"), kMilk);
        EXPECT_EQ(data.Exists("202612.MEM"), !c.memo.empty());
        if (!c.memo.empty()) {
            MemoMonth memo;
            ASSERT_TRUE(LoadMemo(data.folder(), kMonthEnd, 126, 12, memo).ok());
            EXPECT_EQ(TrimRight(memo.LinesOf(7)[0]), c.memo);
        }
    }
}

}  // namespace
}  // namespace hanaki
