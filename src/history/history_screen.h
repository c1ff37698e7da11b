#pragma once

#include <QDialog>
#include <functional>

#include "data/history/history_store.h"
#include "data/program/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QTableWidget;

namespace hanaki {

// 変更の履歴: every kept change of the folder, newest first, with its time,
// month or file, kind and item; Enter puts the folder back as it was just
// before the chosen change, after a question. The list follows every change
// kept meanwhile, by this program or another, and keeps the line chosen.
class HistoryScreen : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    // Whether the windows that show the folder may be redrawn from it now; a
    // refusal is told in front of the window given.
    using MayRestore = std::function<bool(QWidget* asker)>;
    KeyTable KeysNow() override;

    HistoryScreen(ProgramState& state, Services& services, MayRestore mayRestore = {},
                  QWidget* parent = nullptr);

  signals:
    // Files changed; the state was read again and other screens should redraw.
    void restored();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Reads the history again; the line of the change chosen stays chosen.
    void Fill();
    long ChosenChange() const;
    void RestoreChosen();

    ProgramState& state_;
    Services& services_;
    MayRestore mayRestore_;
    History history_;
    QTableWidget* list_;
    QLabel* space_;
    QLabel* legend_;
};

}  // namespace hanaki
