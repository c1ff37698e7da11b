#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "data/book/due_entry.h"
#include "data/program/program_state.h"
#include "ui/amount_calculator.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace hanaki {

class ByteLimitedField;
class CellEditor;

// The fixed items that fell due, asked together: 「定期項目 N 件を記入しますか？」
// over one line per occurrence, oldest first. Enter enters the checked ones as
// one change, Space checks or unchecks a line, an item without an amount gets
// one typed in its line, Del skips an occurrence for good, and Esc leaves
// everything to be asked again.
class DueItemsScreen : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    struct Link {
        MakeAmountCalculator makeCalculator;
        // Whether the main window may show other items now (a refusal says why).
        std::function<bool(QWidget* asker)> takesHandOff;
        // Items were entered into the ledgers.
        std::function<void()> entered;
    };

    // The occurrences due today; none when there are none or the file cannot
    // be read (then a message says why, in front of `parent`).
    static std::vector<DueOccurrence> DueNow(ProgramState& state, Services& services,
                                             QWidget* parent);

    DueItemsScreen(ProgramState& state, Services& services, Link link,
                   std::vector<DueOccurrence> due, QWidget* parent = nullptr);
    ~DueItemsScreen() override;
    KeyTable KeysNow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Line {
        DueOccurrence occurrence;
        FixedItem item;
        bool checked = true;
        std::optional<long long> typed;  // for an item without an amount
    };

    KeyTable GridKeys();
    KeyTable EditorKeys();
    bool TakeTyped(const QKeyEvent& event);
    void ShowLine(int row);
    void ShowQuestion();
    bool TakesAmount(int row) const;
    void OpenEditor(const QString& text);
    bool CommitEdit();
    bool SetAmount(int row, const QString& text);
    void OpenCalculator(const QString& amount);
    // Whether the file still holds the items shown; if not, says so and closes.
    bool StillAsShown();
    void Toggle();
    void Skip();
    void EnterChecked();
    // Entered, refused and failed occurrences said in front of this window.
    void Report(const DueEntry& entry);

    ProgramState& state_;
    Services& services_;
    Link link_;
    std::vector<Line> lines_;
    QLabel* question_;
    QTableWidget* grid_;
    ByteLimitedField* editor_;
    QLineEdit* calculatorField_;
    QLabel* legend_;
    QString legendText_;
    CellEditor* cellEditor_;
    std::unique_ptr<AmountCalculator> calculator_;
};

}  // namespace hanaki
