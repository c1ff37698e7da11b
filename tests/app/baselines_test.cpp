// Runs the built programs as a script would and compares what they answer with
// the baselines kept beside each folder's tests, tests/<folder>/baselines/*.txt:
//
//   program: tsugite        optional; else hanaki, given "--data-dir $ROOT" unless the
//                           arguments name a data folder themselves
//   folder: reports extra   optional; the input, built from reports.folder then extra.folder
//                           beside the case (without this line: household.folder, if any)
//   stdout: pdftotext       optional; the PDF on standard output, as `pdftotext -raw` reads it
//   after: dst              optional; the files left in these folders of the input, listed
//                           under "--- files" (a folder's name ends in /)
//   args: --summary 2026 5  the arguments; '…' keeps spaces, '' is an empty argument
//   exit: 1
//   --- stdout
//   …
//   --- stderr
//   …
//
// The program runs in the folder the input is built in; $ROOT stands for that folder in the
// arguments and in the outputs, $VERSION for the program's version. With --csv every line of
// standard output must end in CR LF, shown here with LF alone; with --encoding cp932 it is code
// page 932, shown here in UTF-8.
//
// A .folder file lays out the input, one file after each "= NAME [kind]" line ("= NAME/" makes
// a folder). The kinds, and what each line of the file below is:
//   text     (the default) a line in code page 932, ended by CR LF
//   lines    a line in code page 932, ended by LF
//   raw      a line as written, ended by LF
//   records  a ledger record: date | category | name | description | name | amount | remark
//   foreign  a 40-byte record of the old book: date | category | description | amount | remark
//   memo     a day of a memo file: day | line | line | line
//
// After a deliberate change of output, rewrite the expected part of every case with
//   HANAKI_REGENERATE_BASELINES=1 build-test/tests/app/baseline_tests
// (--gtest_filter='*/summary_*' for one folder's cases) and read the diff before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/command_line.h"
#include "app/version.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/memo.h"
#include "data/program/command_arguments.h"
#include "import/tsugite_command.h"
#include "support/ledger_records.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace hanaki::testing {
namespace {

namespace fs = std::filesystem;

struct Baseline {
    fs::path path;
    std::string program = "hanaki";
    std::vector<std::string> folders;
    bool pdf = false;
    std::vector<std::string> args;
    int exit = -1;
    std::string out;
    std::string err;
    std::vector<std::string> after;
    std::string files;
    std::string header;  // the lines above "exit:", kept as they are on regeneration
};

// Words split at blanks; a word in single quotes keeps its blanks and may be empty.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            ++at;
        } else if (text[at] == '\'') {
            const std::size_t end = text.find('\'', at + 1);
            words.push_back(text.substr(at + 1, end - at - 1));
            at = end == std::string::npos ? end : end + 1;
        } else {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            words.push_back(text.substr(at, end - at));
            at = end;
        }
    }
    return words;
}

Baseline ReadBaseline(const fs::path& path) {
    std::ifstream in(path);
    Baseline baseline;
    baseline.path = path;
    std::string line;
    std::string* section = nullptr;
    while (std::getline(in, line)) {
        if (baseline.exit == -1 && !line.starts_with("exit: "))
            baseline.header += line + "\n";
        if (line.starts_with("args: ")) {
            baseline.args = Words(line.substr(6));
        } else if (line.starts_with("program: ")) {
            baseline.program = line.substr(9);
        } else if (line.starts_with("folder: ")) {
            baseline.folders = Words(line.substr(8));
        } else if (line.starts_with("after: ")) {
            baseline.after = Words(line.substr(7));
        } else if (line == "stdout: pdftotext") {
            baseline.pdf = true;
        } else if (line.starts_with("exit: ")) {
            baseline.exit = std::stoi(line.substr(6));
        } else if (line == "--- stdout") {
            section = &baseline.out;
        } else if (line == "--- stderr") {
            section = &baseline.err;
        } else if (line == "--- files") {
            section = &baseline.files;
        } else if (section) {
            *section += line + "\n";
        }
    }
    if (baseline.folders.empty() && fs::exists(path.parent_path() / "household.folder"))
        baseline.folders.push_back("household");
    return baseline;
}

std::string Field(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string();
}

// The fields of one line between " | ", blanks at their ends trimmed.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) {
        const std::size_t first = field.find_first_not_of(' ');
        fields.push_back(first == std::string::npos
                             ? std::string()
                             : field.substr(first, field.find_last_not_of(' ') - first + 1));
    }
    return fields;
}

std::string FileLine(const std::string& kind, const std::string& line) {
    if (kind == "records") {
        const std::vector<std::string> f = Fields(line);
        return RecordBytes({Field(f, 0), Field(f, 1), Field(f, 2), Field(f, 3), Field(f, 4),
                            Field(f, 5), Field(f, 6)});
    }
    if (kind == "foreign") {
        const std::vector<std::string> f = Fields(line);
        return FitField(Field(f, 0), 4) + FitField(Field(f, 1), 2) + FitField(Field(f, 2), 2) +
               FitField(Field(f, 3), 9) + FitField(Sjis(Field(f, 4)), 23);
    }
    if (kind == "memo") {
        const std::vector<std::string> f = Fields(line);
        MemoRecord record;
        for (std::size_t i = 0; i < 3; ++i) {
            record.dayFields[i] = Field(f, 0);
            record.lines[i] = Sjis(Field(f, i + 1));
        }
        return EncodeMemoRecord(record);
    }
    if (kind == "lines")
        return Sjis(line) + "\n";
    if (kind == "raw")
        return line + "\n";
    return Sjis(line) + "\r\n";
}

void BuildFolder(const fs::path& description, const fs::path& root) {
    std::ifstream in(description);
    ASSERT_TRUE(in) << description;
    std::ofstream file;
    std::string kind;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("= ")) {
            ASSERT_TRUE(file.is_open()) << description << ": a line before any \"= NAME\"";
            file << FileLine(kind, line);
            continue;
        }
        file.close();
        const std::vector<std::string> words = Words(line.substr(2));
        const fs::path path = root / words.at(0);
        fs::create_directories(path.parent_path());
        if (words[0].ends_with('/'))
            continue;
        kind = words.size() > 1 ? words[1] : "text";
        file.open(path, std::ios::binary | std::ios::trunc);
    }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

bool Names(const std::vector<std::string>& args, std::string_view option) {
    return std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
        return arg == option || arg.starts_with(std::string(option) + "=");
    });
}

std::string Executable(const Baseline& baseline) {
    return baseline.program == "tsugite" ? TSUGITE_PROGRAM : HANAKI_PROGRAM;
}

// Every name under `folder`, one a line, relative to `root`.
std::string FilesUnder(const fs::path& root, const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    if (folder != "." && fs::exists(root / folder))
        names.push_back(folder + (fs::is_directory(root / folder) ? "/" : ""));
    for (fs::recursive_directory_iterator it(root / folder, error), end; !error && it != end;
         it.increment(error))
        names.push_back(fs::relative(it->path(), root).string() + (it->is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    std::string lines;
    for (const std::string& name : names)
        lines += name + "\n";
    return lines;
}

struct Answer {
    ProgramRun run;
    std::string files;
    std::string problem;  // how the bytes break the form the baseline shows them in
};

// The program's answer in the form the baseline shows it.
Answer RunCase(const Baseline& baseline) {
    Answer answer;
    std::string& problem = answer.problem;
    TempFolder root, capture;
    for (const std::string& folder : baseline.folders)
        BuildFolder(baseline.path.parent_path() / (folder + ".folder"), root.path());
    std::vector<std::string> args;
    if (baseline.program == "hanaki" && !Names(baseline.args, "--data-dir"))
        args = {"--data-dir", root.path()};
    for (const std::string& arg : baseline.args)
        args.push_back(Replaced(arg, "$ROOT", root.path()));

    const fs::path here = fs::current_path();
    fs::current_path(root.path());
    ProgramRun run =
        RunProgram(Executable(baseline), args, capture.path(), "", {{"TZ", "UTC"}}, 60);
    fs::current_path(here);

    if (baseline.pdf && run.code == 0) {
        TempFolder text;
        text.Write("out.pdf", run.out);
        run.out =
            RunProgram("/usr/bin/pdftotext", {"-raw", text.path() + "/out.pdf", "-"}, text.path())
                .out;
        // Each page ends in a form feed, the last one too.
        if (run.out.ends_with('\f'))
            run.out += "\n";
    }
    if (Names(baseline.args, "--csv")) {
        std::string lines;
        std::size_t at = 0;
        for (std::size_t end; (end = run.out.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines += run.out.substr(at, end - at) + "\n";
        if (at != run.out.size() || lines.find('\r') != std::string::npos ||
            std::count(lines.begin(), lines.end(), '\n') !=
                std::count(run.out.begin(), run.out.end(), '\n'))
            problem = "a CSV line that does not end in CR LF";
        run.out = lines;
    }
    const std::vector<std::string> split = SplitAttachedValues(baseline.args);
    if (std::find(split.begin(), split.end(), "cp932") != split.end()) {
        const std::string utf8 = Cp932ToUtf8(run.out);
        if (Utf8ToCp932(utf8) != run.out)
            problem = "standard output that is not code page 932";
        run.out = utf8;
    }
    for (std::string* text : {&run.out, &run.err}) {
        if (!text->empty() && !text->ends_with('\n'))
            problem = "an output whose last line has no line end, which a baseline cannot show";
        *text = Replaced(*text, root.path(), "$ROOT");
        *text = Replaced(*text, std::string(kProgramVersion), "$VERSION");
    }
    for (const std::string& folder : baseline.after)
        answer.files += FilesUnder(root.path(), folder);
    answer.run = run;
    return answer;
}

void Rewrite(const Baseline& baseline, const Answer& answer) {
    std::ofstream file(baseline.path, std::ios::binary | std::ios::trunc);
    file << baseline.header << "exit: " << answer.run.code << "\n--- stdout\n"
         << answer.run.out << "--- stderr\n"
         << answer.run.err;
    if (!baseline.after.empty())
        file << "--- files\n" << answer.files;
}

// Every case file, named after its folder and file for the test's name.
std::vector<fs::path> Cases() {
    std::vector<fs::path> cases;
    for (const auto& folder : fs::directory_iterator(HANAKI_TESTS_DIR)) {
        const fs::path baselines = folder.path() / "baselines";
        if (!fs::is_directory(baselines))
            continue;
        for (const auto& file : fs::directory_iterator(baselines)) {
            if (file.path().extension() == ".txt")
                cases.push_back(file.path());
        }
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string CaseName(const fs::path& path) {
    std::string name =
        path.parent_path().parent_path().filename().string() + "_" + path.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

class Baselines : public ::testing::TestWithParam<fs::path> {};

TEST_P(Baselines, theProgramAnswersAsItsBaselineSays) {
    const Baseline expected = ReadBaseline(GetParam());
    ASSERT_FALSE(expected.args.empty() && expected.program == "hanaki") << "no args: line";
    if (expected.pdf && !fs::exists("/usr/bin/pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const Answer got = RunCase(expected);
    EXPECT_EQ(got.problem, "");
    if (std::getenv("HANAKI_REGENERATE_BASELINES") != nullptr) {
        Rewrite(expected, got);
        return;
    }
    EXPECT_EQ(got.run.code, expected.exit);
    EXPECT_EQ(got.run.out, expected.out);
    EXPECT_EQ(got.run.err, expected.err);
    EXPECT_EQ(got.files, expected.files);
}

INSTANTIATE_TEST_SUITE_P(Programs, Baselines, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return CaseName(info.param); });

// A command, or an option of a conversion, that no baseline runs.
TEST(Baselines, everyCommandOptionHasABaseline) {
    std::set<std::string> hanaki, tsugite;
    for (const fs::path& path : Cases()) {
        const Baseline baseline = ReadBaseline(path);
        for (const std::string& arg : baseline.args)
            (baseline.program == "tsugite" ? tsugite : hanaki).insert(arg.substr(0, arg.find('=')));
    }
    for (std::string_view option : kCommandOptions)
        EXPECT_TRUE(hanaki.count(std::string(option))) << "hanaki " << option;
    for (std::string_view option : kTsugiteCommandOptions)
        EXPECT_TRUE(tsugite.count(std::string(option))) << "tsugite " << option;
    // Every option the help texts name, too.
    const std::regex option("--[a-z-]+");
    for (const auto& [program, usage, seen] : {std::tuple{"hanaki", HanakiUsage(""), &hanaki},
                                               std::tuple{"tsugite", TsugiteUsage(), &tsugite}}) {
        for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it)
            EXPECT_TRUE(seen->count(it->str())) << program << " " << it->str();
    }
}

}  // namespace
}  // namespace hanaki::testing
