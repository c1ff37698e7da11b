#include "import/tsugite_command.h"

#include <algorithm>
#include <filesystem>

#include "data/disk/folder_lock.h"
#include "data/disk/folder_paths.h"
#include "data/formats/fixed_field.h"
#include "data/program/command_arguments.h"
#include "import/conversion.h"

namespace hanaki {

TsugiteOptions ParseTsugiteOptions(const std::vector<std::string>& given) {
    const std::vector<std::string> args = SplitAttachedValues(given);
    TsugiteOptions options;
    for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (std::find(kTsugiteCommandOptions.begin(), kTsugiteCommandOptions.end(), arg) ==
            kTsugiteCommandOptions.end()) {
            options.error = "不明な引数です: " + arg;
            break;
        }
        if (i + 1 >= args.size()) {
            options.error = arg + " の後に値がありません。";
            break;
        }
        const std::string& value = args[++i];
        options.commandLine = true;
        if (arg == "--source") {
            options.source = value;
        } else if (arg == "--dest") {
            options.destination = value;
        } else if (std::optional<long long> day = ParseInteger(value);
                   day && *day >= 1 && *day <= 31) {
            options.closingDay = static_cast<int>(*day);
        } else {
            options.error = "締め日は 1 から 31 の数で指定してください: " + value;
        }
    }
    if (options.error.empty() && options.commandLine && !options.help &&
        (options.source.empty() || options.destination.empty() || !options.closingDay))
        options.error = "--source、--dest、--closing-day の三つを指定してください。";
    return options;
}

std::string TsugiteUsage() {
    return "使い方: tsugite [--source 元 --dest 先 --closing-day 締め日]\n"
           "\n"
           "  引数なし                 変換の画面を開く\n"
           "  --source フォルダ        「まちかど帳」のデータフォルダ（VERADIV.DAT のある所）\n"
           "  --dest フォルダ          変換した月別データとメモを書き込むフォルダ\n"
           "  --closing-day 締め日     「まちかど帳」の月度締日 1～31（月末は 31）\n"
           "  --version                版を表示して終了\n"
           "  --help                   この説明を表示して終了\n"
           "\n"
           "  画面を開かずに変換し、メッセージを表示して終了します。既存のファイルは\n"
           "  確認なしで置き換え、置き換えた数を表示します。\n"
           "  失敗したファイルのメッセージは標準エラー出力に出します。\n"
           "\n"
           "終了コード: 0 すべて変換した、1 読めない・書けない・変換できないファイルが\n"
           "  あった（VERADIV.DAT がない場合も）、2 引数・締め日・フォルダの誤り、\n"
           "  3 変換先を hanaki などが使用中\n";
}

int RunTsugiteCommand(const TsugiteOptions& options, FileSystem& fs, std::ostream& out,
                      std::ostream& err) {
    // Messages name a bad month file by its full path, as the window does.
    const auto full = [](const std::string& path) {
        std::error_code ec;
        std::filesystem::path absolute = std::filesystem::absolute(path, ec);
        return ec ? path : absolute.lexically_normal().string();
    };
    ConversionRequest request{full(options.source), full(options.destination),
                              options.closingDay.value_or(31)};
    if (IsSameFolder(request.source, request.destination)) {
        err << "変換元と変換先が同じフォルダです。別のフォルダを指定してください。\n";
        return 2;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(request.destination, ec)) {
        err << "変換先のフォルダがありません: " << request.destination << "\n";
        return 2;
    }
    // Never beside a running hanaki, and no hanaki starts while this writes.
    FolderLock lock(request.destination, "tsugite", fs);
    if (!lock.held()) {
        err << DescribeLockRefusal(lock, LockAsker::Command) << "\n";
        return lock.state() == FolderLock::State::HeldByOther ? 3 : 1;
    }
    PlanResult planned = PlanConversion(request, fs);
    if (!planned.plan) {
        err << planned.refusal->text << "\n";
        return 1;
    }
    if (planned.plan->ledgers.empty() && planned.plan->memos.empty()) {
        err << "変換元のフォルダ " << request.source
            << " には、「まちかど帳」の月別データ (VERADIV.001 など) がありません。\n";
        return 1;
    }
    ConversionReport report = CarryOutConversion(*planned.plan, fs);
    for (const ConversionMessage& message : report.messages)
        (message.failure ? err : out) << message.text << "\n";
    if (report.replaced > 0)
        out << "既存のデータ" << report.replaced << "個を上書きしました。\n";
    return report.failed > 0 || report.memosFailed > 0 || report.recordsLeftOut > 0 ? 1 : 0;
}

}  // namespace hanaki
