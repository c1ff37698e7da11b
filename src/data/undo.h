#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/data_folder.h"
#include "data/history_store.h"

// Taking changes back from the folder's history. Every undo and restore is a
// change of its own, kept like any other, so it can be taken back in turn.
namespace hanaki {

// The writes of one action (one save, one undo, one restore), oldest first.
struct ChangeGroup {
    long id = 0;
    std::vector<HistoryEntry> entries;
};

// What the next undo takes back: the newest change that is no undo and that no
// undo has taken back yet, so that undoing again walks further back.
std::optional<ChangeGroup> LastUndoableChange(const History& history);

// The question that names it: "1/16 食費 朝食 450 パン の削除を取り消しますか？".
std::string UndoQuestion(const ChangeGroup& change);
// The change as one line of the history: "1/16 食費 朝食 450 パン の削除".
std::string DescribeEntry(const HistoryEntry& entry);

// Puts back the bytes every file of `change` had before it. Empty on
// success, else a Japanese message (a read-only folder, a full disk, a
// damaged history); files already put back stay so, as kept changes.
std::string UndoChange(const DataFolder& folder, const History& history, const ChangeGroup& change);

// Puts the whole folder back as it was just before change `change` (every
// file changed since then), as one kept change. Empty or a message as above.
std::string RestoreBefore(const DataFolder& folder, const History& history, long change);

// The folder's files as they were at `moment` (seconds since the epoch):
// each file the history knows, as its first later change found it, or
// nullopt where it did not exist then. Empty on success, else a message.
struct FileState {
    std::string file;
    std::optional<std::string> bytes;
};
std::string StatesAt(const DataFolder& folder, const History& history, std::int64_t moment,
                     std::vector<FileState>& states);

}  // namespace hanaki
