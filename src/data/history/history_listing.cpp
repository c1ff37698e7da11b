#include "data/history/history_listing.h"

#include <cstdio>
#include <ctime>

#include "data/disk/io_result.h"
#include "data/history/change_description.h"

namespace hanaki {

std::string FormatChangeTime(std::int64_t time) {
    std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::optional<std::int64_t> ParseChangeTime(const std::string& text) {
    std::tm local{};
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &local.tm_hour, &local.tm_min, &tail) != 5)
        return std::nullopt;
    const std::tm asked = local;
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    // mktime carries 13月 or 25時 over; such a time was never asked for.
    if (seconds == -1 || local.tm_year + 1900 != asked.tm_year ||
        local.tm_mon + 1 != asked.tm_mon || local.tm_mday != asked.tm_mday ||
        local.tm_hour != asked.tm_hour || local.tm_min != asked.tm_min)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds);
}

std::string ChangedFileName(const std::string& file) {
    const std::string month = AccountingMonthOfFile(file);
    if (month.empty())
        return file;
    return file.ends_with(".MEM") ? month + "のメモ" : month;
}

std::string FormatSpace(std::uintmax_t bytes) {
    char text[32];
    if (bytes >= 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f MB", bytes / (1024.0 * 1024.0));
    else if (bytes >= 1024)
        std::snprintf(text, sizeof text, "%ju KB", (bytes + 1023) / 1024);
    else
        std::snprintf(text, sizeof text, "%ju バイト", bytes);
    return text;
}

std::string ListedChangeText(const HistoryEntry& entry) {
    return entry.changedOutsideAfter ? entry.text + "  （この後、別のプログラムが変更）"
                                     : entry.text;
}

std::string DescribeHistoryDamage(const History& history) {
    if (history.error)
        return "変更の履歴を読めません。" + DescribeIoError(*history.error);
    if (history.unreadableLines > 0)
        return "変更の履歴に読めない行が " + std::to_string(history.unreadableLines) +
               " 行あります。その行の変更は一覧にも取り消しにも使えません。";
    return {};
}

}  // namespace hanaki
