#include "app/history_commands.h"

#include <algorithm>
#include <ctime>

#include "data/disk/data_folder.h"
#include "data/formats/csv_line.h"
#include "data/history/history_listing.h"
#include "data/history/history_store.h"
#include "data/program/command_household.h"
#include "data/program/folder_copy.h"

namespace hanaki {
namespace {

bool OnOrAfter(std::int64_t time, const CivilDate& since) {
    std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    const CivilDate day{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    return std::tie(day.year, day.month, day.day) >= std::tie(since.year, since.month, since.day);
}

}  // namespace

int RunHistoryCommand(const std::string& dataDir, const std::optional<CivilDate>& since, bool csv,
                      std::ostream& out, std::ostream& err) {
    DataFolder folder(dataDir, RealFileSystem(), DataFolder::Access::ReadOnly);
    if (!DataFolderFoundForCommand(folder, err))
        return 1;
    const History history = ReadHistoryWhileInUse(folder);
    if (history.error) {
        err << DescribeHistoryDamage(history) << "\n";
        return 1;
    }
    if (csv)
        out << CsvLine({"時刻", "ファイル", "種類", "内容"});
    for (auto it = history.entries.rbegin(); it != history.entries.rend(); ++it) {
        if (since && !OnOrAfter(it->time, *since))
            continue;
        // The mark rides in the text, so that the CSV keeps its four columns.
        const std::vector<std::string> fields{FormatChangeTime(it->time), it->file,
                                              std::string(ChangeKindWord(it->kind)),
                                              ListedChangeText(*it)};
        if (csv)
            out << CsvLine(fields);
        else
            out << fields[0] << "  " << fields[1] << "  " << fields[2] << "  " << fields[3] << "\n";
    }
    // The CSV stays a table; the space goes with the other notes.
    (csv ? err : out) << "履歴の容量: " << FormatSpace(HistorySpace(folder)) << "（"
                      << history.entries.size() << " 件の変更）\n";
    // Lines of the history that cannot be read are left out of the listing.
    if (history.unreadableLines > 0)
        err << DescribeHistoryDamage(history) << "\n";
    return history.unreadableLines > 0 ? 1 : 0;
}

int RunRestoreAsOfCommand(const std::string& dataDir, const std::string& moment,
                          const std::string& to, std::ostream& out, std::ostream& err) {
    const std::optional<std::int64_t> time = ParseChangeTime(moment);
    if (!time) {
        err << "--restore-as-of の時刻は 'YYYY-MM-DD HH:MM' の形で指定してください。\n";
        return 2;
    }
    DataFolder folder(dataDir, RealFileSystem(), DataFolder::Access::ReadOnly);
    if (!DataFolderFoundForCommand(folder, err))
        return 1;
    if (std::string failed = RestoreFolderAsOf(folder, *time, to); !failed.empty()) {
        err << failed << "\n";
        return 1;
    }
    out << moment << " の時点のデータを " << to << " に書き出しました。\n";
    return 0;
}

int RunBackupCommand(const std::string& dataDir, const std::string& destination, std::ostream& out,
                     std::ostream& err) {
    DataFolder folder(dataDir, RealFileSystem());
    if (!DataFolderFoundForCommand(folder, err))
        return 1;
    if (std::string failed = BackUpFolder(folder, destination); !failed.empty()) {
        err << failed << "\n";
        return 1;
    }
    out << dataDir << " のデータを " << destination << " に書き出しました。\n";
    return 0;
}

}  // namespace hanaki
