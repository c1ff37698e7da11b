#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/history/history_store.h"

// The words the history screen and `--history` show a change in.
namespace hanaki {

// "2026-12-07 23:56", local time.
std::string FormatChangeTime(std::int64_t time);
// Seconds since the epoch of a local "YYYY-MM-DD HH:MM"; nullopt when it is no such time.
std::optional<std::int64_t> ParseChangeTime(const std::string& text);
// "2026年11月度" for a month's ledger, "2026年11月度のメモ" for its memo, else the file name.
std::string ChangedFileName(const std::string& file);
// "1.2 MB", "340 KB", "12 バイト".
std::string FormatSpace(std::uintmax_t bytes);
// A change's text as the history lists it, with "  （この後、別のプログラムが変更）"
// after a change whose file another program rewrote since.
std::string ListedChangeText(const HistoryEntry& entry);
// What is wrong with the history, in a Japanese sentence; empty when nothing is.
std::string DescribeHistoryDamage(const History& history);

}  // namespace hanaki
