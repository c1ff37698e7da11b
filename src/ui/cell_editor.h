#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace hanaki {

class ByteLimitedField;

// How a key on a grid cell opens it: Enter keeps the text with the caret at
// its end, Delete clears it, Space keeps it with the caret at its start, and a
// typed character replaces it.
enum class CellEditStart { KeepText, Clear, KeepTextCaretFirst, Typed };

// The field laid over a grid cell while the editors edit it in place. What the
// cell may take in is the screen's business; this keeps which cell is open,
// where the field sits and where the focus goes.
class CellEditor : public QObject {
  public:
    CellEditor(QTableWidget* grid, ByteLimitedField* field, QLabel* legend, QString legendText,
               QObject* parent);

    bool IsOpen() const { return open_; }

    // Lays the field over `cell` holding `text`, caret at `caret`, and focuses it
    // unless an input method is composing on the grid (see Compose).
    void Open(QTableWidgetItem* cell, const QString& text, int caret, bool focus = true);
    // Opens the field on `cell` as `start` says, from `text` (what the cell
    // holds as edited). A typed character goes in as a key would, so that the
    // field's refusals apply.
    void Begin(QTableWidgetItem* cell, CellEditStart start, const QString& text, QChar typed = {});
    // What an input method composes on the grid goes into the open field. The
    // grid keeps the focus until the composition ends: Qt commits a composition
    // whenever the focus moves, which would cut off its first letters.
    void Compose(QInputMethodEvent* event);
    // Puts `cellText` into the open cell and gives the focus back to the grid.
    void Commit(const QString& cellText);
    // Closes the field, leaving the cell as it was.
    void Discard();

  private:
    QTableWidget* grid_;
    ByteLimitedField* field_;
    QLabel* legend_;
    QString legendText_;
    QTableWidgetItem* cell_ = nullptr;
    bool open_ = false;
};

// A character typed on a grid opens its cell through `begin` (Space keeps the
// text, caret first); true when the key was one to type. A key without text or
// with Ctrl or Alt is left to the grid.
bool BeginByTyping(const QKeyEvent& event, const std::function<void(CellEditStart, QChar)>& begin);

// The legend in two lines, broken at the blanks before `secondLine`: wrapped
// by the label alone, it could break inside a word on a narrow window.
QString LegendInTwoLines(const QString& legend, const QString& secondLine);

// Leaving the field for another place on the screen commits it; a message box
// or another window taking over does not.
bool LeftForAnotherPlace(const QFocusEvent* focusOut);

}  // namespace hanaki
