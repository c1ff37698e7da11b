#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/program/program_state.h"
#include "ui/cell_editor.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QValidator;

namespace hanaki {

class ByteLimitedField;

// 費目、摘要設定: the category master as a 20 × 21 grid (names, then
// descriptions), each row tinted by its kind, edited in place.
class CategoryEditor : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    CategoryEditor(ProgramState& state, Services& services, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

    // Opens the in-place editor on the current cell; `typed` goes with
    // CellEditStart::Typed.
    void BeginCellEdit(CellEditStart start, QChar typed = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The table of the control with the focus.
    KeyTable KeysOf(QObject* focus);
    KeyTable GridKeys();
    bool TakeTyped(const QKeyEvent& event);
    KeyTable EditorKeys();
    void GridInputMethod(QInputMethodEvent* event);
    std::vector<QWidget*> FocusCycle() const;

    // The cell's rule on the editor: names take any text, descriptions no leading sign.
    void SetCellRule(const QTableWidgetItem* item);
    void OpenEditor(const QString& text, int caret, bool focus = true);
    void CommitEdit();
    void DiscardEdit();
    void FlipKind();
    void SetRowKind(int row, CategoryKind kind, const QColor& colour);
    void FillFromTable(const CategoryTable& table);
    void Save();
    // `replaced` gathers the cells whose text code page 932 cannot hold.
    CategoryTable TableFromGrid(QStringList& replaced) const;
    std::optional<std::string> CellBytes(int row, int column) const;
    void ShowHint(const QString& hint);

    // Grid cells by their places in the table: row = category 1 … 20, column
    // 1 = its name, column j + 1 = its description j.
    QTableWidgetItem* Cell(int row, int column) const;
    QString CellText(int row, int column) const;

    ProgramState& state_;
    Services& services_;

    QTableWidget* grid_;
    ByteLimitedField* editor_;
    QLabel* legend_;
    QPushButton* saveButton_;
    QPushButton* reloadButton_;
    QPushButton* cancelButton_;
    QValidator* descriptionRule_;
    CellEditor* cellEditor_;

    std::array<CategoryKind, 21> rowKinds_{};  // index 0 unused
    CategoryReading reading_;
};

}  // namespace hanaki
