#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "data/program/program_state.h"
#include "settings/budget_editor_controls.h"
#include "ui/cell_editor.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QCheckBox;
class QKeyEvent;
class QTableWidgetItem;

namespace hanaki {

// 予算設定: a budget and a summary flag per category, income categories above
// expense ones, each block with its total row, beside the average of the past
// months as a guide. Saved as lines 3 and 4 of VERADIV.ENV.
class BudgetEditor : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    BudgetEditor(ProgramState& state, Services& services, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

    // Opens the in-place editor on the current budget cell; `typed`, a digit,
    // goes with CellEditStart::Typed.
    void BeginCellEdit(CellEditStart start, QChar typed = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The table of the control with the focus.
    KeyTable KeysOf(QObject* focus);
    KeyTable GridKeys();
    bool TakeTyped(const QKeyEvent& event);
    KeyTable EditorKeys();
    std::vector<QWidget*> FocusCycle() const;

    void ComputePastAverages();
    void FillRows();
    void ApplySelectionRule(int row, int previousRow);
    void MoveSelection(int row);
    void OpenEditor(const QString& text, int caret);
    bool CommitEdit();
    void DiscardEdit();
    void FlipFlag();
    void Reload();
    // A category's stored budget and flag as the screen shows them.
    QString ShownBudget(int category) const;
    Qt::CheckState ShownFlag(int category) const;
    void Save();

    // Rows counted from 1 under the heading, as on screen.
    int CategoryAt(int row) const;
    QTableWidgetItem* InfoCell(int row, int column) const;
    QTableWidgetItem* BudgetCell(int row) const;
    QCheckBox* CheckBeside(int row) const { return controls_.checks[row - 1]; }

    ProgramState& state_;
    Services& services_;

    const QString legendText_;
    BudgetEditorControls controls_;
    CellEditor* cellEditor_;

    BudgetRows rows_;
    std::array<long long, 21> pastAverages_{};  // whole yen by category number
};

}  // namespace hanaki
