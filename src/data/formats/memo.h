#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk/data_folder.h"

// One memo file per accounting month ("200001.MEM"): a 240-byte record of
// three 78-byte lines for each day that has a memo.
namespace hanaki {

constexpr std::size_t kMemoRecordBytes = 240;
constexpr std::size_t kMemoLineBytes = 78;

struct MemoRecord {
    std::array<std::string, 3> dayFields;  // 2 bytes each
    std::array<std::string, 3> lines;      // 78 bytes each, code page 932
};

std::string EncodeMemoRecord(const MemoRecord& record);
MemoRecord DecodeMemoRecord(std::string_view bytes);

struct MemoMonth {
    std::array<MemoRecord, 32> days;  // index = accounting day; 0 unused
    // Records that could not be placed (bad day field, a second record for a
    // day): written back unchanged after the others so nothing is lost.
    std::vector<std::string> unplaced;

    bool InUse(int day) const;
    // Stores three lines for `day`; all empty frees the slot.
    void SetLines(int day, const std::array<std::string, 3>& lines);
    // The lines with trailing blanks removed (empty for a free slot).
    std::array<std::string, 3> LinesOf(int day) const;
};

// "200001.MEM" for year 100, month 1.
std::string MemoFileName(int year, int month);

IoResult LoadMemo(const DataFolder& folder, int closingDay, int year, int month, MemoMonth& memo);
// `note` names the change for the history when the caller knows more than the file.
IoResult SaveMemo(const DataFolder& folder, int closingDay, int year, int month,
                  const MemoMonth& memo, const ChangeNote& note = {});
void ParseMemoFile(std::string_view bytes, int closingDay, int year, int month, MemoMonth& memo);
std::string SerializeMemo(int closingDay, int year, int month, const MemoMonth& memo);

}  // namespace hanaki
