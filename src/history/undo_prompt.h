#pragma once

#include "data/program/program_state.h"
#include "ui/message_service.h"

class QWidget;

namespace hanaki {

// Ctrl+Z: names the last change made in the folder (by any screen or
// program) in a question and, on OK, puts back the bytes before it; asking
// again walks further back. A read-only folder, nothing left to take back, or
// bytes the history cannot rebuild are said in a message before any question;
// a file another program rewrote since is named in the question. True when
// files changed: the state's masters and month are then read again, and the
// caller redraws what it shows.
bool AskAndUndoLastChange(ProgramState& state, MessageService& messages, QWidget* parent);
// Ctrl+Y: the same for making again what the last undo took back.
bool AskAndRedoLastUndo(ProgramState& state, MessageService& messages, QWidget* parent);
// Ctrl+Z or Ctrl+Y in another window while the main window has an item or a
// memo under way: says why nothing happens.
void RefuseUndoWhileEntering(bool redo, MessageService& messages, QWidget* parent);

// Reads the masters and the open month again after an undo or a restore.
void ReloadAfterRestore(ProgramState& state, MessageService& messages, QWidget* parent);

}  // namespace hanaki
