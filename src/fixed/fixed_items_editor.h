#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "data/program/program_state.h"
#include "fixed/fixed_item_cells.h"
#include "ui/amount_calculator.h"
#include "ui/cell_editor.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanaki {

class ByteLimitedField;

// 定期項目: the household's fixed items (rent, salary, bills) in a grid, one
// row each and a blank row to add one, edited in place as the category
// editor edits its cells. Saved to TEIKI.TXT; lines the file holds that are
// no fixed items stay as they are.
class FixedItemsEditor : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    FixedItemsEditor(ProgramState& state, Services& services, MakeAmountCalculator makeCalculator,
                     QWidget* parent = nullptr);
    ~FixedItemsEditor() override;
    KeyTable KeysNow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyTable KeysOf(QObject* focus);
    KeyTable GridKeys();
    KeyTable EditorKeys();
    bool TakeTyped(const QKeyEvent& event);
    std::vector<QWidget*> FocusCycle() const;

    void Read();
    void ShowRow(int row);
    FixedColumn CurrentColumn() const;
    void BeginCellEdit(CellEditStart start, QChar typed = {});
    bool CommitEdit();
    // Puts `text` into the current cell's field; false (after a message) when refused.
    bool Apply(const QString& text);
    void Step(int step);
    void OpenCalculator(const QString& amount);
    void CloseCalculator();
    void RemoveRow();
    void Save();

    ProgramState& state_;
    Services& services_;
    QTableWidget* grid_;
    ByteLimitedField* editor_;
    QLineEdit* calculatorField_;
    QLabel* legend_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QString legendText_;
    CellEditor* cellEditor_;
    std::unique_ptr<AmountCalculator> calculator_;

    FixedItems read_;             // the file as the editor read it
    std::vector<FixedRow> rows_;  // the grid's rows but the last, blank one
};

}  // namespace hanaki
