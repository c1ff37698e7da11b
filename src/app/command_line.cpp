#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>

#include "app/version.h"

namespace hanaki {
namespace {

std::optional<CivilDate> ParseIsoDate(const std::string& text) {
    CivilDate date;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &tail) != 3)
        return std::nullopt;
    if (date.year < 1950 || date.year > 2049 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > 31)
        return std::nullopt;
    return date;
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

HanakiOptions ParseHanakiOptions(const std::vector<std::string>& args) {
    HanakiOptions options;
    bool csv = false;  // apply to the report wherever they come
    bool cp932 = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 < args.size())
                return args[++i];
            options.error = std::string(name) + " の後に値がありません。";
            return std::nullopt;
        };
        if (i == 0 && arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') &&
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
            if (auto v = value("--screen-height"))
                options.screenHeight = std::atoi(v->c_str());
        } else if (arg == "--export-csv") {
            if (i + 2 >= args.size()) {
                options.error = "--export-csv には変換元と変換先のフォルダを指定してください。";
                break;
            }
            options.exportCsv = true;
            options.exportSource = args[++i];
            options.exportDestination = args[++i];
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
        } else if (arg == "--summary" || arg == "--trend") {
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
            options.report->kind = arg == "--summary" ? ReportKind::Summary : ReportKind::Trend;
            options.report->year = *year;
            options.report->month = *month;
        } else if (arg == "--history") {
            options.history = true;
        } else if (arg == "--since") {
            auto v = value("--since");
            if (v && !(options.historySince = ParseIsoDate(*v)))
                options.error = "--since の日付は YYYY-MM-DD の形で指定してください。";
        } else if (arg == "--restore-as-of") {
            if (auto v = value("--restore-as-of"))
                options.restoreAsOf = *v;
        } else if (arg == "--to") {
            if (auto v = value("--to"))
                options.restoreTo = *v;
        } else if (arg == "--backup") {
            if (auto v = value("--backup"))
                options.backupDestination = *v;
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
    if (options.error.empty() && options.printMonth != !options.pdfPath.empty())
        options.error = "--print-month と --pdf は組にして指定してください。";
    if (options.error.empty() && options.restoreAsOf.empty() != options.restoreTo.empty())
        options.error = "--restore-as-of と --to は組にして指定してください。";
    if (options.error.empty() && options.historySince && !options.history)
        options.error = "--since は --history と一緒に指定してください。";
    if (options.history) {
        options.historyCsv = csv;
    } else if (options.report) {
        options.report->csv = csv;
        options.report->cp932 = cp932;
    } else if ((csv || cp932) && options.error.empty()) {
        options.error = "--csv と --encoding は --summary か --trend と一緒に指定してください。";
    }
    return options;
}

std::string HanakiVersion() {
    return "hanaki " + std::string(kProgramVersion) + "\n";
}

std::string HanakiUsage(const std::string& dataFolder) {
    return HanakiVersion() +
           "使い方: hanaki [/T見出し] [オプション]\n"
           "\n"
           "  /T見出し, -T見出し       "
           "ウィンドウのタイトルの前に「見出し」を付ける（最初の引数のみ）\n"
           "  --data-dir フォルダ      データフォルダ（省略時は下の「データフォルダ」）\n"
           "  --export-csv 元 先       元フォルダの月別データを先フォルダへ CSV で書き出して終了\n"
           "  --print-month 年 月 --pdf ファイル\n"
           "                           その月度の月計表を PDF ファイルに印刷して終了\n"
           "  --summary 年 月          その月度の月度集計を表示して終了\n"
           "  --trend 年 月            その月度までの12か月の月度推移を表示して終了\n"
           "  --csv                    集計や履歴を CSV で出力する\n"
           "  --encoding cp932         集計をシフトJIS (CP932) で出力する\n"
           "  --history                変更の履歴を新しい順に表示して終了\n"
           "  --since YYYY-MM-DD       --history でその日からの変更だけを表示する\n"
           "  --restore-as-of '日 時刻' --to 新フォルダ\n"
           "                           'YYYY-MM-DD HH:MM' "
           "の時点のデータを新しいフォルダに書き出す\n"
           "  --backup 先              データを新しいフォルダ「先」に複製して終了\n"
           "  --today YYYY-MM-DD       今日の日付として使う日（動作確認用）\n"
           "  --screen-height 画素数   この高さの画面として配置する（動作確認用）\n"
           "  --version                版を表示して終了\n"
           "  --help                   この説明を表示して終了\n"
           "\n"
           "データフォルダ: " +
           dataFolder + "\n";
}

}  // namespace hanaki
