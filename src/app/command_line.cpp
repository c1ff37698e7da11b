#include "app/command_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "app/version.h"
#include "data/history/history_listing.h"
#include "data/program/command_arguments.h"

namespace hanaki {
namespace {

// Two commands on one line, or one twice: which was meant cannot be told.
std::string CommandClash(const std::vector<std::string>& commands) {
    if (commands[0] == commands[1])
        return commands[0] + " は一度だけ指定してください。";
    return commands[0] + " と " + commands[1] + " は一緒に指定できません。";
}

std::optional<CivilDate> ParseIsoDate(const std::string& text) {
    CivilDate date;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &tail) != 3)
        return std::nullopt;
    if (date.year < 1950 || date.year > 2049 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInAccountingMonth(kMonthEnd, date.year - 1900, date.month))
        return std::nullopt;
    return date;
}

// A household's category master, as a file manager hands it over: its folder
// is the data folder.
std::optional<std::string> HouseholdFolder(const std::string& arg) {
    const std::filesystem::path file(arg);
    std::string name = file.filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (arg.starts_with('-') || name != "VERADIV.DAT")
        return std::nullopt;
    return file.has_parent_path() ? file.parent_path().string() : std::string(".");
}

// A whole number of digits only, within [low, high].
std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::atoi(text.c_str());
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace

HanakiOptions ParseHanakiOptions(const std::vector<std::string>& given) {
    const std::vector<std::string> args = SplitAttachedValues(given);
    HanakiOptions options;
    bool csv = false;  // apply to the report wherever they come
    bool cp932 = false;
    bool dryRun = false;
    std::vector<std::string> commands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (std::find(kCommandOptions.begin(), kCommandOptions.end(), arg) != kCommandOptions.end())
            commands.push_back(arg);
        // An empty value is refused, not taken for an absent one: a script's
        // unset variable must not send a command to the default household.
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                options.error = std::string(name) + " の後に値がありません。";
                return std::nullopt;
            }
            if (args[++i].empty()) {
                options.error = EmptyValueMessage(name);
                return std::nullopt;
            }
            return args[i];
        };
        if (std::optional<std::string> household = HouseholdFolder(arg)) {
            options.dataDir = *household;
        } else if (i == 0 && arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') &&
                   (arg[1] == 't' || arg[1] == 'T')) {
            options.hasTitlePrefix = true;
            options.titlePrefix = arg.substr(2);
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--data-dir") {
            if (auto v = value("--data-dir"))
                options.dataDir = *v;
        } else if (arg == "--today") {
            auto v = value("--today");
            if (v && !(options.today = ParseIsoDate(*v)))
                options.error =
                    "--today の日付は 1950-01-01 から 2049-12-31 の形で指定してください。";
        } else if (arg == "--screen-height") {
            auto v = value("--screen-height");
            std::optional<int> height = v ? ParseNumber(*v, 1, 9999) : std::nullopt;
            if (v && !height)
                options.error = "--screen-height には画素数 (1～9999) を指定してください。";
            options.screenHeight = height.value_or(0);
        } else if (arg == "--export-csv") {
            if (i + 2 >= args.size()) {
                options.error = "--export-csv には変換元と変換先のフォルダを指定してください。";
                break;
            }
            options.exportCsv = true;
            options.exportSource = args[++i];
            options.exportDestination = args[++i];
            if (options.exportSource.empty() || options.exportDestination.empty())
                options.error = EmptyValueMessage("--export-csv");
        } else if (arg == "--print-month") {
            std::optional<int> year, month;
            if (i + 2 < args.size()) {
                year = ParseNumber(args[i + 1], 1950, 2049);
                month = ParseNumber(args[i + 2], 1, 12);
            }
            if (!year || !month) {
                options.error =
                    "--print-month には年 (1950～2049) と月 (1～12) を指定してください。";
                break;
            }
            options.printMonth = true;
            options.printYear = *year;
            options.printMonthNumber = *month;
            i += 2;
        } else if (arg == "--pdf") {
            if (auto v = value("--pdf"))
                options.pdfPath = *v;
        } else if (arg == "--summary" || arg == "--trend" || arg == "--year-summary") {
            if (i + 2 >= args.size()) {
                options.error = arg + " には年と月を指定してください。";
                break;
            }
            const std::optional<int> year = ParseNumber(args[++i], 1950, 2049);
            const std::optional<int> month = ParseNumber(args[++i], 1, 12);
            if (!year || !month) {
                options.error = "年は 1950 から 2049、月は 1 から 12 で指定してください。";
                break;
            }
            if (!options.report)
                options.report.emplace();
            options.report->kind = arg == "--summary" ? ReportKind::Summary
                                   : arg == "--trend" ? ReportKind::Trend
                                                      : ReportKind::YearSummary;
            options.report->year = *year;
            options.report->month = *month;
        } else if (arg == "--to" && !options.restoreAsOf.empty()) {
            // After --restore-as-of, the new folder; otherwise the end of a --find.
            if (auto v = value("--to"))
                options.restoreTo = *v;
        } else if (IsFindArgument(arg)) {
            options.error = TakeFindArgument(args, i, options.find);
        } else if (arg == "--history") {
            options.history = true;
        } else if (arg == "--since") {
            auto v = value("--since");
            if (v && !(options.historySince = ParseIsoDate(*v)))
                options.error = "--since の日付は YYYY-MM-DD の形で指定してください。";
        } else if (arg == "--restore-as-of") {
            auto v = value("--restore-as-of");
            if (v && !ParseChangeTime(*v))
                options.error =
                    "--restore-as-of の時刻は 'YYYY-MM-DD HH:MM' の形で指定してください。";
            else if (v)
                options.restoreAsOf = *v;
        } else if (arg == "--backup") {
            if (auto v = value("--backup"))
                options.backupDestination = *v;
        } else if (arg == "--due") {
            options.due = true;
        } else if (arg == "--enter-due") {
            options.enterDue = true;
        } else if (arg == "--import-statement") {
            if (auto v = value("--import-statement"))
                options.statement = StatementRequest{*v};
        } else if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--csv") {
            csv = true;
        } else if (arg == "--encoding") {
            auto v = value("--encoding");
            if (v && *v != "cp932" && *v != "CP932" && *v != "utf-8" && *v != "UTF-8")
                options.error = "--encoding には cp932 か utf-8 を指定してください。";
            else if (v)
                cp932 = *v == "cp932" || *v == "CP932";
        } else {
            options.error = "不明な引数です: " + arg;
        }
        if (!options.error.empty())
            break;
    }
    if (options.error.empty() && commands.size() > 1)
        options.error = CommandClash(commands);
    if (options.error.empty() && options.printMonth != !options.pdfPath.empty())
        options.error = "--print-month と --pdf は組にして指定してください。";
    if (options.error.empty() && options.restoreAsOf.empty() != options.restoreTo.empty())
        options.error = "--restore-as-of と --to は組にして指定してください。";
    if (options.error.empty() && options.historySince && !options.history)
        options.error = "--since は --history と一緒に指定してください。";
    if (options.find && options.error.empty())
        options.error = FindRequestError(*options.find);
    if (options.error.empty() && dryRun && !options.statement)
        options.error = "--dry-run は --import-statement と一緒に指定してください。";
    if (options.history) {
        options.historyCsv = csv;
    } else if (options.statement && !cp932) {
        options.statement->dryRun = dryRun;
        options.statement->csv = csv;
    } else if ((options.due || options.enterDue) && !cp932) {
        options.dueCsv = csv;
    } else if (options.find) {
        options.find->csv = csv;
        options.find->cp932 = cp932;
    } else if (options.report) {
        options.report->csv = csv;
        options.report->cp932 = cp932;
    } else if ((csv || cp932) && options.error.empty()) {
        options.error =
            "--csv と --encoding は --summary、--trend、--year-summary か --find "
            "と一緒に指定してください。";
    }
    return options;
}

std::string HanakiVersion() {
    return "hanaki " + std::string(kProgramVersion) + "\n";
}

std::string HanakiUsage(const std::string& dataFolder) {
    return HanakiVersion() +
           "使い方: hanaki [/T見出し] [オプション] [フォルダ/VERADIV.DAT]\n"
           "\n"
           "  /T見出し, -T見出し       "
           "ウィンドウのタイトルの前に「見出し」を付ける（最初の引数のみ）\n"
           "  --data-dir フォルダ      データフォルダ（省略時は下の「データフォルダ」）\n"
           "  フォルダ/VERADIV.DAT     "
           "そのフォルダをデータフォルダにする（ファイルマネージャから開くとき）\n"
           "  --export-csv 元 先       元フォルダの月別データを先フォルダへ CSV で書き出して終了\n"
           "  --print-month 年 月 --pdf ファイル\n"
           "                           その月度の月計表を PDF ファイルに印刷して終了\n"
           "                           （ファイルが - なら標準出力へ）\n"
           "  --summary 年 月          その月度の月度集計を表示して終了\n"
           "  --trend 年 月            その月度までの12か月の月度推移を表示して終了\n"
           "  --year-summary 年 月     その月度までの12か月の年間集計を表示して終了\n"
           "  --find 文字 [--from 年 月] [--to 年 月]\n"
           "                           備考・費目・摘要に文字を含む項目を古い順に表示して終了\n"
           "                           （数字だけならその金額の項目も）\n"
           "  --csv                    集計・検索・履歴・定期項目・明細の結果を CSV で出力する\n"
           "  --encoding cp932         集計や検索の結果をシフトJIS (CP932) で出力する\n"
           "  --history                変更の履歴を新しい順に表示して終了\n"
           "  --since YYYY-MM-DD       --history でその日からの変更だけを表示する\n"
           "  --restore-as-of '日 時刻' --to 新フォルダ\n"
           "                           'YYYY-MM-DD HH:MM' "
           "の時点のデータを新しいフォルダに書き出す\n"
           "  --backup 先              データを新しいフォルダ「先」に複製して終了\n"
           "  --due                    今日までに期日の来た定期項目を古い順に表示して終了\n"
           "  --enter-due              期日の来た定期項目のうち金額の決まったものを記入して\n"
           "                           記入したものを表示して終了\n"
           "  --import-statement ファイル [--dry-run]\n"
           "                           銀行・カード・家計簿の明細 (CSV) を記憶した形と取り込みの\n"
           "                           規則で取り込み、取り込んだものを表示して終了\n"
           "                           （--dry-run なら取り込まずに表示だけする）\n"
           "  --today YYYY-MM-DD       今日の日付として使う日（動作確認用）\n"
           "  --screen-height 画素数   この高さの画面として配置する（動作確認用）\n"
           "  --version                版を表示して終了\n"
           "  --help                   この説明を表示して終了\n"
           "\n"
           "値は --data-dir=フォルダ のようにも書けます。空の値は指定できません。\n"
           "コマンドは一度に一つです。\n"
           "終了コード: 0 頼まれたことをすべてした、1 失敗したか飛ばしたものがある\n"
           "  （それぞれ標準エラー出力に出す。--find で何も見つからないときも 1）、\n"
           "  2 引数の誤り（何も読まずに終了）、\n"
           "  3 データフォルダを別のプログラムが使っている（--enter-due、\n"
           "  --import-statement）\n"
           "\n"
           "データフォルダ: " +
           dataFolder + "\n";
}

}  // namespace hanaki
