#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "data/program_state.h"
#include "settings/cell_editor.h"
#include "ui/services.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace hanaki {

class ByteLimitedField;

// 予算設定: a budget and a summary flag per category, income categories above
// expense ones, each block with its total row, beside the average of the past
// months as a guide. Saved as lines 3 and 4 of VERADIV.ENV.
class BudgetEditor : public QDialog {
    Q_OBJECT
  public:
    BudgetEditor(ProgramState& state, Services& services, QWidget* parent = nullptr);

    // Opens the in-place editor on the current budget cell: 13 the budget's
    // digits (caret at the end), 8 empty, a digit that digit alone.
    void BeginCellEdit(CellEditStart start, QChar typed = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool GridKey(QKeyEvent* event);
    bool EditorKey(QKeyEvent* event);
    std::vector<QWidget*> FocusCycle() const;

    void BuildGrids();
    void ComputePastAverages();
    void FillRows();
    void PlaceCheckBoxes();
    void ApplySelectionRule(int row, int previousRow);
    // The category row a move to `row` comes to rest on; 0 when there is none.
    int RestingRow(int row, int previousRow) const;
    void MoveSelection(int row);
    void OpenEditor(const QString& text, int caret);
    bool CommitEdit();
    void DiscardEdit();
    void FlipFlag();
    void Reload();
    // A category's stored budget and flag as the screen shows them.
    QString ShownBudget(int category) const;
    Qt::CheckState ShownFlag(int category) const;
    void ShowBudgetSums();
    void Save();

    // Rows counted from 1 under the heading, as on screen.
    bool IsCategoryRow(int row) const;
    int CategoryAt(int row) const;
    QTableWidgetItem* InfoCell(int row, int column) const;
    QTableWidgetItem* BudgetCell(int row) const;
    QCheckBox* CheckBeside(int row) const { return checks_[row - 1]; }

    ProgramState& state_;
    Services& services_;

    QTableWidget* infoGrid_;
    QTableWidget* budgetGrid_;
    std::array<QCheckBox*, 21> checks_{};
    ByteLimitedField* editor_;
    QLabel* legend_;
    QLabel* flagHeading_;
    CellEditor* cellEditor_;
    QPushButton* saveButton_;
    QPushButton* reloadButton_;
    QPushButton* cancelButton_;

    int incomeCount_ = 0;
    int expenseCount_ = 0;
    std::array<long long, 21> pastAverages_{};  // whole yen by category number
    int rowPixels_ = 0;
};

}  // namespace hanaki
