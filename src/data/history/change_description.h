#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/disk/change_note.h"

// The household words for a change a caller did not describe, told from the
// file's name and its bytes before and after.
namespace hanaki {

// "2026年11月度" for "202611.DAT" or "202611.MEM"; empty for other names.
std::string AccountingMonthOfFile(std::string_view fileName);

// A data file as a message names it: "2026年11月度のファイル(202611.DAT)",
// "2026年11月度のメモのファイル(202611.MEM)", "費目ファイル(VERADIV.DAT)".
std::string DataFileInWords(std::string_view fileName);

// The kind and text of a change of `fileName` from `before` to `after`
// (nullopt: the file is missing on that side). Ledger files name the one
// item added, deleted or corrected.
ChangeNote DescribeChange(std::string_view fileName, const std::optional<std::string_view>& before,
                          const std::optional<std::string_view>& after);

// One ledger record (104 bytes, code page 932) as "1/16 食費 朝食 450 パン".
std::string DescribeLedgerItem(std::string_view record);

}  // namespace hanaki
