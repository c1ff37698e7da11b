#pragma once

#include <QDialog>

#include "data/program/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;

namespace hanaki {

// 月度設定: the first question of a first run. PageUp/PageDown choose the
// closing day (1 … 28, or 31 for month end); Enter creates VERADIV.ENV with it.
class ClosingDayDialog : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    ClosingDayDialog(ProgramState& state, Services& services, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Step(int delta);
    void Save();

    ProgramState& state_;
    Services& services_;

    QLabel* title_;
    QLabel* explanation_;
    QLineEdit* dayField_;
    QLabel* legend_;

    int closingDay_ = kMonthEnd;
};

}  // namespace hanaki
