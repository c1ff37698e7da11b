#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "data/book/ledger_search.h"
#include "data/program/program_state.h"
#include "find/item_text_match.h"
#include "ui/item_hand_off.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace hanaki {

class FoundItemsModel;

// Finds items and memo lines in every month by a text: the results newest
// first, filled in month by month while the keys stay live; Enter hands the
// picked item, or the day of the picked memo line, to the main window.
class FindScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    FindScreen(ProgramState& state, Services& services, ItemHandOff itemHandOff,
               MemoHandOff memoHandOff, QWidget* parent = nullptr);
    KeyTable KeysNow() override;
    ~FindScreen() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Focus { Text, Results };

    void BuildControls();
    KeyTable TextKeys();
    KeyTable ResultsKeys();
    void EnterText();
    void EnterResults();
    void StartSearch();
    void SearchSomeMonths(int milliseconds);
    void ShowTotals();
    void MoveTo(int row);
    void HandOffSelected();
    void SearchAgain();

    ProgramState& state_;
    Services& services_;
    ItemHandOff itemHandOff_;
    MemoHandOff memoHandOff_;

    QLineEdit* textField_;  // Text1
    QTableView* grid_;      // MSFlexGrid1
    QLabel* totals_;        // Label2
    QLabel* problemsLine_;  // Label3
    QLabel* legend_;        // Label1
    FoundItemsModel* model_;
    QTimer* timer_;

    Focus focus_ = Focus::Text;
    std::optional<ItemTextMatch> match_;
    int nextMonth_ = -1;  // the next month to search, newest first; below the span when done
    std::vector<std::string> problems_;
};

// Opens the find screen in front of `opener`; it deletes itself when closed.
QWidget* OpenFindScreen(ProgramState& state, Services& services, ItemHandOff itemHandOff,
                        MemoHandOff memoHandOff, QWidget* opener);

}  // namespace hanaki
