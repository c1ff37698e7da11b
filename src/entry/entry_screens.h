#pragma once

#include "ui/sub_screen.h"

class QWidget;

namespace hanaki {

class MainEntryScreen;

// The screens F5 … F10 open, in the order of their keys.
enum class FunctionScreen { MonthlyTable, SummaryMenu, SettingsMenu, CsvExport, Find, Statement };

// The other screens the main window opens. The program provides them, so
// that the main window knows none of their classes.
class EntryScreens {
  public:
    virtual ~EntryScreens() = default;

    // The first-run dialogs, modal over `window`. The first two return false
    // when the user gave up, and the program then ends.
    virtual bool RunFirstRunCategoryEditor(QWidget* window) = 0;
    virtual bool RunFirstRunClosingDay(QWidget* window) = 0;
    virtual void RunFirstRunCarryOver(QWidget* window) = 0;

    // Opens `screen` in front of `main`, or brings it to the front when it is open.
    virtual void Open(FunctionScreen screen, MainEntryScreen& main) = 0;

    // Ctrl+Z (Undo): asks to take back the last change made in the folder;
    // Ctrl+Y (Redo): to make again what the last undo took back. `window` is
    // where the key was pressed, the main window or another of the program's.
    // True when files changed (the state's master, settings and month are read again).
    virtual bool UndoOrRedo(SharedKey key, QWidget* window) = 0;
    // The key pressed in another window while the main window has an item or
    // a memo under way: says why nothing happens.
    virtual void RefuseUndoOrRedo(SharedKey key, QWidget* window) = 0;
};

}  // namespace hanaki
