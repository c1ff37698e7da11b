#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/disk/data_folder.h"
#include "data/history/history_store.h"

// Taking changes back from the folder's history, and making them again. Every
// undo, redo and restore is a change of its own, kept like any other: an undo
// names the change it takes back, a redo the undo it takes back.
namespace hanaki {

// The writes of one action (one save, one conversion, one undo, one restore), oldest first.
struct ChangeGroup {
    long id = 0;
    std::vector<HistoryEntry> entries;
};

// What the next undo takes back: the newest change that is no undo or redo
// and that is not taken back now, so that undoing again walks further back.
std::optional<ChangeGroup> LastUndoableChange(const History& history);
// What the next redo makes again: the newest undo not yet made again, while
// only undos and redos came after it; redoing again walks to the undo before.
std::optional<ChangeGroup> LastRedoableUndo(const History& history);

// The change as one line of the history: "1/16 食費 朝食 450 パン の削除".
std::string DescribeEntry(const HistoryEntry& entry);
// The change as one undo names it: one file as its line does, several as
// "1998年12月度から1999年3月度までの変換(7ファイル)".
std::string DescribeGroup(const ChangeGroup& change);
// The question that names it: "1/16 食費 朝食 450 パン の削除を取り消しますか？".
std::string UndoQuestion(const ChangeGroup& change);

// Each file the history knows as it was at some point; nullopt where it did not exist.
struct FileState {
    std::string file;
    std::optional<std::string> bytes;
};

// One undo or redo, its bytes rebuilt before the user is asked.
struct UndoStep {
    bool redo = false;
    long takesBack = 0;  // the change an undo takes back, or the undo a redo takes back
    std::string what;    // the change in words, as DescribeGroup gives it
    // Its files that another program rewrote since ("2000年1月度のファイル(200001.DAT)"):
    // the step writes over that program's bytes, which the history keeps first.
    std::vector<std::string> changedOutside;
    std::vector<FileState> files;  // what each file becomes
    std::string problem;           // why it cannot be done (in Japanese); empty when it can
};
UndoStep PlanUndo(const DataFolder& folder, const History& history, const ChangeGroup& change);
UndoStep PlanRedo(const DataFolder& folder, const History& history, const ChangeGroup& undo);
// "…を取り消しますか？" / "…をやり直しますか？", and what another program wrote.
std::string StepQuestion(const UndoStep& step);
// Writes the step's files as one kept change. Empty on success, else a
// Japanese message; files already written stay so, as kept changes.
std::string CarryOut(const DataFolder& folder, const UndoStep& step);

// Puts back the bytes every file of `change` had before it: PlanUndo, then CarryOut.
std::string UndoChange(const DataFolder& folder, const History& history, const ChangeGroup& change);

// Puts the whole folder back as it was just before change `change` (every
// file changed since then), as one kept change. Empty or a message as above.
std::string RestoreBefore(const DataFolder& folder, const History& history, long change);

// The folder's files as they were at `moment` (seconds since the epoch):
// each file the history knows, as its first later change found it, or
// nullopt where it did not exist then. Empty on success, else a message.
std::string StatesAt(const DataFolder& folder, const History& history, std::int64_t moment,
                     std::vector<FileState>& states);

}  // namespace hanaki
