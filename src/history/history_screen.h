#pragma once

#include <QDialog>

#include "data/history_store.h"
#include "data/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QTableWidget;

namespace hanaki {

// 変更の履歴: every kept change of the folder, newest first, with its time,
// month or file, kind and item; Enter puts the folder back as it was just
// before the chosen change, after a question.
class HistoryScreen : public QDialog {
    Q_OBJECT
  public:
    HistoryScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);

  signals:
    // Files changed; the state was read again and other screens should redraw.
    void restored();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    KeyTable Keys();
    void Fill();
    void RestoreChosen();

    ProgramState& state_;
    Services& services_;
    History history_;
    QTableWidget* list_;
    QLabel* space_;
    QLabel* legend_;
};

}  // namespace hanaki
