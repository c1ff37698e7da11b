#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "data/formats/cp932.h"
#include "data/formats/ledger.h"
#include "support/cp932_text.h"
#include "support/file_bytes.h"
#include "support/ledger_records.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

// The programs as a script runs them: what a file name points at, what a
// command promises on its exit code, standard output and standard error.
namespace hanaki {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::RecordBytes;
using testing::RunProgram;
using testing::Sjis;
using testing::TempFolder;
using testing::WriteFile;

const std::string kHanaki = HANAKI_PROGRAM;
const std::string kTsugite = TSUGITE_PROGRAM;

bool IsFifo(const fs::path& path) {
    return fs::is_fifo(fs::symlink_status(path));
}

// A household of one item in January 2000.
void WriteHousehold(const fs::path& folder) {
    WriteFile(folder / "VERADIV.DAT", Sjis("+給料\r\n基本給\r\n-食費\r\n昼食\r\n"));
    WriteFile(folder / "VERADIV.ENV", " 31 \r\n");
    WriteFile(folder / "200001.DAT",
              RecordBytes({.date = "000115", .categoryName = "食費", .descriptionName = "昼食"}));
    WriteFile(folder / "200001.MEM", Sjis("買い物\r\n"));
}

// What a data file's name may point at instead of a regular file.
enum class Odd { Fifo, ZeroDevice, NullDevice, Huge, Folder };
const Odd kOdds[] = {Odd::Fifo, Odd::ZeroDevice, Odd::NullDevice, Odd::Huge, Odd::Folder};

const char* NameOf(Odd odd) {
    switch (odd) {
        case Odd::Fifo:
            return "FIFO";
        case Odd::ZeroDevice:
            return "link to /dev/zero";
        case Odd::NullDevice:
            return "link to /dev/null";
        case Odd::Huge:
            return "huge sparse file";
        case Odd::Folder:
            return "folder";
    }
    return "?";
}

void MakeOdd(const fs::path& path, Odd odd) {
    fs::remove_all(path);
    switch (odd) {
        case Odd::Fifo:
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
            break;
        case Odd::ZeroDevice:
            fs::create_symlink("/dev/zero", path);
            break;
        case Odd::NullDevice:
            fs::create_symlink("/dev/null", path);
            break;
        case Odd::Huge:
            WriteFile(path, "");
            fs::resize_file(path, 200u << 20);
            break;
        case Odd::Folder:
            fs::create_directory(path);
            break;
    }
}

// A command and the data files it reads.
struct Command {
    std::string name;
    std::function<std::vector<std::string>(const std::string& data, const std::string& scratch)>
        args;
    std::vector<std::string> reads;
};

std::vector<Command> Commands() {
    const std::vector<std::string> household{"VERADIV.DAT", "VERADIV.ENV", "200001.DAT"};
    auto with = [](std::vector<std::string> names, const std::string& more) {
        names.push_back(more);
        return names;
    };
    return {
        {"--summary",
         [](const std::string& d, const std::string&) {
             return std::vector<std::string>{"--data-dir", d, "--summary", "2000", "1"};
         },
         household},
        {"--trend",
         [](const std::string& d, const std::string&) {
             return std::vector<std::string>{"--data-dir", d, "--trend", "2000", "1", "--csv"};
         },
         household},
        {"--print-month",
         [](const std::string& d, const std::string& scratch) {
             return std::vector<std::string>{"--data-dir", d,       "--print-month",     "2000",
                                             "1",          "--pdf", scratch + "/out.pdf"};
         },
         with(household, "200001.MEM")},
        {"--export-csv",
         [](const std::string& d, const std::string& scratch) {
             return std::vector<std::string>{"--data-dir", d, "--export-csv", d, scratch};
         },
         {"VERADIV.DAT", "200001.DAT"}},
        {"--find",
         [](const std::string& d, const std::string&) {
             return std::vector<std::string>{"--data-dir", d, "--find", "昼食"};
         },
         {"VERADIV.DAT", "200001.DAT"}},
    };
}

TEST(ProgramEdges, everyCommandRefusesADataFileThatIsNoRegularFileOrFarTooLargeAndNamesIt) {
    for (const Command& command : Commands()) {
        for (const std::string& file : command.reads) {
            for (Odd odd : kOdds) {
                SCOPED_TRACE(command.name + " with " + file + " a " + NameOf(odd));
                TempFolder data, scratch;
                WriteHousehold(data.path());
                MakeOdd(fs::path(data.path()) / file, odd);
                const ProgramRun run =
                    RunProgram(kHanaki, command.args(data.path(), scratch.path()), scratch.path());
                EXPECT_FALSE(run.hung());
                EXPECT_EQ(run.code, 1) << run.err;
                EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
                EXPECT_EQ(run.err.find("bad_alloc"), std::string::npos) << run.err;
            }
        }
    }
}

TEST(ProgramEdges, aDataFileThatIsALinkToARegularFileIsReadThroughIt) {
    for (const Command& command : Commands()) {
        SCOPED_TRACE(command.name);
        TempFolder data, real, scratch;
        WriteHousehold(real.path());
        for (const std::string& file : command.reads)
            fs::create_symlink(fs::path(real.path()) / file, fs::path(data.path()) / file);
        const ProgramRun run =
            RunProgram(kHanaki, command.args(data.path(), scratch.path()), scratch.path());
        EXPECT_EQ(run.code, 0) << run.err;
    }
}

// What a write target may be, and what must be true of it afterwards.
struct Target {
    std::string name;
    std::function<void(const fs::path&)> make;
    int code;
    std::function<bool(const fs::path&)> after;
};

std::vector<Target> Targets(const fs::path& elsewhere) {
    auto keptPdfLink = [elsewhere](const fs::path& path) {
        return fs::is_symlink(path) && testing::ReadWhole(elsewhere).starts_with("%PDF");
    };
    return {
        {"FIFO", [](const fs::path& p) { ::mkfifo(p.c_str(), 0644); }, 1, IsFifo},
        {"link to /dev/null", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }, 1,
         [](const fs::path& p) { return fs::is_symlink(p); }},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, 1,
         [](const fs::path& p) { return fs::is_directory(p); }},
        {"link to a file elsewhere",
         [elsewhere](const fs::path& p) {
             WriteFile(elsewhere, "old");
             fs::create_symlink(elsewhere, p);
         },
         0, keptPdfLink},
    };
}

TEST(ProgramEdges, thePdfNeverReplacesWhatIsNoRegularFileAndFollowsALink) {
    TempFolder data;
    WriteHousehold(data.path());
    TempFolder other;
    for (const Target& target : Targets(fs::path(other.path()) / "real.pdf")) {
        SCOPED_TRACE(target.name);
        TempFolder scratch;
        const fs::path pdf = fs::path(scratch.path()) / "month.pdf";
        target.make(pdf);
        const ProgramRun run = RunProgram(
            kHanaki, {"--data-dir", data.path(), "--print-month", "2000", "1", "--pdf", pdf},
            scratch.path());
        EXPECT_EQ(run.code, target.code) << run.err;
        EXPECT_TRUE(target.after(pdf));
        if (target.code != 0) {
            EXPECT_NE(run.err.find(pdf.string()), std::string::npos) << run.err;
        }
    }
}

TEST(ProgramEdges, theCsvExportNeverReplacesWhatIsNoRegularFile) {
    TempFolder data;
    WriteHousehold(data.path());
    for (const Target& target : Targets("/nonexistent")) {
        if (target.code == 0)
            continue;
        SCOPED_TRACE(target.name);
        TempFolder destination, scratch;
        const fs::path csv = fs::path(destination.path()) / "200001.CSV";
        target.make(csv);
        const ProgramRun run = RunProgram(
            kHanaki, {"--data-dir", data.path(), "--export-csv", data.path(), destination.path()},
            scratch.path());
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_TRUE(target.after(csv));
        EXPECT_NE(run.err.find(csv.string()), std::string::npos) << run.err;
    }
}

TEST(ProgramEdges, aPdfNamedDashGoesToStandardOutput) {
    TempFolder data, scratch;
    WriteHousehold(data.path());
    const ProgramRun run =
        RunProgram(kHanaki, {"--data-dir", data.path(), "--print-month", "2000", "1", "--pdf", "-"},
                   scratch.path());
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("%PDF")) << run.out.substr(0, 20);
    EXPECT_FALSE(fs::exists(fs::path(scratch.path()) / "-"));
}

TEST(ProgramEdges, aFullStandardOutputIsAFailureWithAMessage) {
    TempFolder data, scratch, destination;
    WriteHousehold(data.path());
    const std::string d = data.path();
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs{
        {kHanaki, {"--data-dir", d, "--summary", "2000", "1"}},
        {kHanaki, {"--data-dir", d, "--summary", "2000", "1", "--csv"}},
        {kHanaki, {"--data-dir", d, "--trend", "2000", "1"}},
        {kHanaki, {"--data-dir", d, "--print-month", "2000", "1", "--pdf", "-"}},
        {kHanaki, {"--data-dir", d, "--export-csv", d, destination.path()}},
        {kHanaki, {"--data-dir", d, "--history"}},
        {kHanaki, {"--data-dir", d, "--history", "--csv"}},
        {kHanaki, {"--help"}},
        {kTsugite, {"--version"}},
    };
    for (const auto& [program, args] : runs) {
        SCOPED_TRACE(args.back());
        const ProgramRun run = RunProgram(program, args, scratch.path(), "/dev/full");
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_NE(run.err.find("標準出力に書き込めませんでした"), std::string::npos) << run.err;
    }
}

// Wrong arguments and clean runs are in the baselines; here, files no baseline can lay out.
TEST(ProgramEdges, aCommandThatSkipsADamagedFileExitsOneAndNamesIt) {
    enum class Damage { Record, Fifo };
    struct Case {
        // "D": the data folder, "S" a scratch folder, "C" a new folder in it.
        std::vector<std::string> args;
        Damage damage;
        int code;
        std::string err;  // a part of standard error
    };
    const std::vector<Case> cases{
        {{"--backup", "C"}, Damage::Fifo, 1, "200001.MEM"},
        {{"--export-csv", "D", "S"},
         Damage::Record,
         1,
         "/200001.DAT の読めないデータ1件は書き出しませんでした。\n"},
        {{"--summary", "2000", "1"}, Damage::Record, 1, "読み取れない記録が 1 件あります。"},
    };
    for (const Case& c : cases) {
        TempFolder data, scratch;
        const std::string copy = scratch.path() + "/copy";
        std::vector<std::string> args{"--data-dir", data.path()};
        const std::map<char, std::string> folders{
            {'D', data.path()}, {'S', scratch.path()}, {'C', copy}};
        for (const std::string& arg : c.args)
            args.push_back(folders.count(arg[0]) ? folders.at(arg[0]) + arg.substr(1) : arg);
        SCOPED_TRACE(args[2] + " " + args.back());
        WriteHousehold(data.path());
        if (c.damage == Damage::Record)
            std::ofstream(data.path() + "/200001.DAT", std::ios::app)
                << RecordBytes({.date = "000116", .category = "xx"});
        if (c.damage == Damage::Fifo)
            MakeOdd(fs::path(data.path()) / "200001.MEM", Odd::Fifo);
        const ProgramRun run = RunProgram(kHanaki, args, scratch.path());
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(run.err.empty(), c.code == 0) << run.err;
        // The line of the CSV export stays the one it always was.
        if (c.damage == Damage::Record && args[2] == "--export-csv") {
            EXPECT_EQ(run.out, "1個のデータをコンバートしました。\n");
        }
        EXPECT_FALSE(fs::exists(data.path() + "/sub"));
        EXPECT_EQ(fs::exists(copy), c.code == 0);
    }
}

// A record of the old book: category 2, description 1, no remark.
std::string OldRecord(const std::string& monthDay, const std::string& amount) {
    return monthDay + "0201" + amount + std::string(23, ' ');
}

// A folder of the old book: its master and a May month file with its memo.
void WriteForeignFolder(const fs::path& folder) {
    WriteFile(folder / "VERADIV.DAT", Sjis("+給料\r\n基本給\r\n-食費\r\n昼食\r\n"));
    WriteFile(folder / "VERADIV.058", OldRecord("0515", "-     515"));
    WriteFile(folder / "KAKMEMO.058", std::string(31 * 2, ' '));
}

ProgramRun Convert(const std::string& source, const std::string& destination,
                   const std::string& scratch) {
    return RunProgram(kTsugite, {"--source", source, "--dest", destination, "--closing-day", "31"},
                      scratch);
}

TEST(ProgramEdges, tsugiteCountsEverySourceThatIsNoRegularFileAsFailedAndNamesIt) {
    for (const std::string name : {"VERADIV.059", "KAKMEMO.059"}) {
        for (Odd odd : kOdds) {
            SCOPED_TRACE(name + std::string(" a ") + NameOf(odd));
            TempFolder source, destination, scratch;
            WriteForeignFolder(source.path());
            MakeOdd(fs::path(source.path()) / name, odd);
            const ProgramRun run = Convert(source.path(), destination.path(), scratch.path());
            EXPECT_FALSE(run.hung());
            EXPECT_EQ(run.code, 1) << run.err;
            EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
        }
    }
}

TEST(ProgramEdges, tsugiteNeverReplacesATargetThatIsNoRegularFile) {
    TempFolder source, first, scratch;
    WriteForeignFolder(source.path());
    ASSERT_EQ(Convert(source.path(), first.path(), scratch.path()).code, 0);
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(first.path())) {
        if (entry.path().extension() == ".DAT")
            written.push_back(entry.path().filename());
    }
    ASSERT_EQ(written.size(), 1u);
    TempFolder destination;
    const fs::path target = fs::path(destination.path()) / written.front();
    ::mkfifo(target.c_str(), 0644);
    const ProgramRun run = Convert(source.path(), destination.path(), scratch.path());
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_TRUE(IsFifo(target));
    EXPECT_NE(run.err.find(target.string()), std::string::npos) << run.err;
}

TEST(ProgramEdges, tsugiteRefusesAFolderWithoutTheOldBooksMonthFiles) {
    TempFolder hanakiFolder, destination, scratch;
    WriteHousehold(hanakiFolder.path());
    ProgramRun run = Convert(hanakiFolder.path(), destination.path(), scratch.path());
    EXPECT_EQ(run.code, 1) << run.out;
    EXPECT_NE(run.err.find("月別データ"), std::string::npos) << run.err;
}

TEST(ProgramEdges, withoutADisplayTheWindowsAreRefusedWithAMessage) {
    TempFolder scratch;
    const std::map<std::string, std::string> noDisplay{
        {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
    for (const auto& [program, args] :
         {std::pair{kHanaki, std::vector<std::string>{}},
          std::pair{kHanaki, std::vector<std::string>{"--data-dir", "/no/such"}},
          std::pair{kTsugite, std::vector<std::string>{}}}) {
        const ProgramRun run = RunProgram(program, args, scratch.path(), "", noDisplay);
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_NE(run.err.find("ディスプレイ"), std::string::npos) << run.err;
    }
}

TEST(ProgramEdges, aRefusedStartIsToldOnStandardErrorAndExitsOne) {
    TempFolder scratch;
    // The message box then waits for its OK, which no one gives here.
    const ProgramRun run = RunProgram(kHanaki, {"--data-dir", "/no/such/folder"}, scratch.path(),
                                      "", {{"QT_QPA_PLATFORM", "offscreen"}}, 5);
    EXPECT_NE(run.err.find("データフォルダ /no/such/folder がありません。"), std::string::npos)
        << run.err;
}

TEST(ProgramEdges, everyCommandSaysTheSameOfAMissingFolderAndAMissingCategoryFile) {
    TempFolder empty, scratch;
    for (const Command& command : Commands()) {
        SCOPED_TRACE(command.name);
        ProgramRun run =
            RunProgram(kHanaki, command.args("/no/such/folder", scratch.path()), scratch.path());
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "データフォルダ /no/such/folder がありません。\n");
        if (command.name == "--export-csv")
            continue;  // its source must exist first
        run = RunProgram(kHanaki, command.args(empty.path(), scratch.path()), scratch.path());
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "データフォルダ " + empty.path() +
                               " に費目ファイル VERADIV.DAT がありません。\n");
    }
}

TEST(ProgramEdges, withoutASettingsFileEveryCommandGoesOnWithTheDefaultsAndSaysSo) {
    TempFolder scratch;
    for (const Command& command : Commands()) {
        if (std::count(command.reads.begin(), command.reads.end(), "VERADIV.ENV") == 0)
            continue;
        SCOPED_TRACE(command.name);
        TempFolder data;
        WriteHousehold(data.path());
        fs::remove(fs::path(data.path()) / "VERADIV.ENV");
        const ProgramRun run = RunProgram(kHanaki, command.args(data.path(), scratch.path()),
                                          scratch.path(), "", {{"XDG_RUNTIME_DIR", ""}});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, "データフォルダ " + data.path() +
                               " に設定ファイル VERADIV.ENV がないため、締め日は月末、予算なし、"
                               "すべての費目を集計する設定で続けます。\n");
    }
}

TEST(ProgramEdges, aCopyInAFolderOfItsOwnKeepsItsDataBesideItOnlyWhenItBroughtAHousehold) {
    TempFolder bin, home, scratch;
    const fs::path copy = fs::path(bin.path()) / "hanaki";
    fs::copy_file(kHanaki, copy);
    fs::permissions(copy, fs::perms::owner_all);
    const std::map<std::string, std::string> env{{"HOME", home.path()}, {"XDG_DATA_HOME", ""}};
    ProgramRun run = RunProgram(copy, {"--help"}, scratch.path(), "", env);
    EXPECT_TRUE(run.out.ends_with("データフォルダ: " + home.path() + "/.local/share/hanaki\n"))
        << run.out;
    WriteFile(copy.parent_path() / "VERADIV.DAT", Sjis("+給料\r\n基本給\r\n"));
    run = RunProgram(copy, {"--help"}, scratch.path(), "", env);
    EXPECT_TRUE(run.out.ends_with("データフォルダ: " + bin.path() + "\n")) << run.out;
}

TEST(ProgramEdges, aCategoryFileWithoutACategoryIsRefused) {
    for (const std::string& bytes : {std::string(), std::string("\x01\x02\xff\r\n", 5)}) {
        TempFolder data, scratch;
        WriteHousehold(data.path());
        WriteFile(fs::path(data.path()) / "VERADIV.DAT", bytes);
        const ProgramRun run = RunProgram(
            kHanaki, {"--data-dir", data.path(), "--summary", "2000", "1"}, scratch.path());
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find("読み取れる費目がありません"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace hanaki
