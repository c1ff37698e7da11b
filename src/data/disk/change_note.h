#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace hanaki {

// What a change of a data file was, as the history names it.
enum class ChangeKind {
    Add,
    Correct,
    Delete,
    Memo,
    Categories,
    Settings,
    CarryOver,
    Conversion,
    Undo,
    FixedItems,
    Statement
};

// "追加", "訂正", … as the history shows the kind.
std::string_view ChangeKindWord(ChangeKind kind);

// What a save tells the history about itself. A caller that knows more than
// the file does (the screen that deleted one item) says so; whatever it leaves
// empty is told from the file's name and its bytes before and after.
struct ChangeNote {
    ChangeNote() = default;
    ChangeNote(ChangeKind kind, std::string text) : kind(kind), text(std::move(text)) {}

    std::optional<ChangeKind> kind;
    std::string text;  // UTF-8 household words: "1/16 食費 朝食 450 パン"
    // The change the writes of one action share (set by the folder's change
    // group), and the change an undo takes back; a redo is an undo of an undo.
    long group = 0;
    long undoes = 0;
};

}  // namespace hanaki
