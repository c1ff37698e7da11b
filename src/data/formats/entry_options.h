#pragma once

#include <string>
#include <string_view>

#include "data/disk/data_folder.h"

// NYURYOKU.TXT: how the main window's entry fields behave where the household
// chose otherwise than the default. One "name=value" line each, code page 932
// text a person can read; a missing file or line is the default.
//
//   1桁で次へ=1
namespace hanaki {

inline constexpr std::string_view kEntryOptionsFileName = "NYURYOKU.TXT";

struct EntryOptions {
    // A one-digit category or description number moves on without Enter when
    // no longer number of the master starts with that digit.
    bool oneDigitMovesOn = false;
    friend bool operator==(const EntryOptions&, const EntryOptions&) = default;
};

EntryOptions ParseEntryOptions(std::string_view bytes);
std::string SerializeEntryOptions(const EntryOptions& options);
// A missing file reads as the defaults.
IoResult LoadEntryOptions(const DataFolder& folder, EntryOptions& options);
IoResult SaveEntryOptions(const DataFolder& folder, const EntryOptions& options);

}  // namespace hanaki
