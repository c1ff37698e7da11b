#pragma once

#include <QObject>
#include <array>

#include "data/formats/calendar.h"
#include "data/formats/memo.h"
#include "ui/key_table.h"

class QEvent;
class QLabel;
class QWidget;

namespace hanaki {

class ByteLimitedField;
struct ProgramState;
struct Services;

// The three-line memo of a day, opened in place of the guide ("/"). It steps
// through the days on its own, apart from the main calendar, and saves the
// month's memo file on every change of day and when it closes.
class MemoEditor : public QObject, public KeysInForce {
    Q_OBJECT
  public:
    MemoEditor(ProgramState& state, Services& services, std::array<ByteLimitedField*, 3> lines,
               QLabel* title, QLabel* legend, QWidget* dialogParent, QObject* parent = nullptr);
    KeyTable KeysNow() override;

    // The memo of the displayed day. When the month's memo file cannot be read
    // a message says so and the editor stays closed (check IsOpen()).
    void Open();
    // Saves and closes, even when the save failed (the message has said so):
    // the main window calls it as it goes away.
    void Close();
    bool IsOpen() const { return open_; }
    // Stores the lines into the day's slot and rewrites the month's file
    // (a message says why it failed); the editor stays open.
    bool Save();

  signals:
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The keys of memo line `line` (0 … 2) and the legend.
    KeyTable KeysOf(int line);
    void StepDay(int delta);
    void StepToMemo(int delta);
    // Saves the day, then shows `to`, reading its month's file when it is
    // another month. Nothing moves when the save or the read fails.
    void MoveTo(const CurrentDate& to);
    bool LoadMonth(const CurrentDate& month, MemoMonth& memo);
    void Report(const IoError& error);
    void ShowDay();
    void ShowLegend(const QString& hint);
    void Hide();

    ProgramState& state_;
    Services& services_;
    std::array<ByteLimitedField*, 3> lines_;
    QLabel* title_;
    QLabel* legend_;
    QWidget* dialogParent_;
    bool open_ = false;
    CurrentDate position_;  // the memo's own accounting day
    MemoMonth memo_;        // the month of position_
};

}  // namespace hanaki
