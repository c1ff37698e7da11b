#pragma once

#include <QDialog>

#include "data/program/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace hanaki {

// 繰り越し金処理: the income category and description under which a new month
// receives the previous month's balance (category 0: no carry-over). Saved as
// line 2 of VERADIV.ENV.
class CarryOverSettingScreen : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    CarryOverSettingScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The table of the control with the focus.
    KeyTable KeysOf(QObject* focus);
    KeyTable CategoryKeys();
    KeyTable DescriptionKeys();
    KeyTable ConfirmKeys();

    void LookAt(int category);
    void ShowNoCarryOver();
    void ShowDescription(int description);
    void FocusCategory();
    void FocusDescription();
    void FocusConfirm();
    void Save();
    QString CategoryName(int category) const;
    QString DescriptionName(int category, int description) const;

    ProgramState& state_;
    Services& services_;

    QLabel* explanation_;
    QLineEdit* categoryField_;
    QLabel* categoryName_;
    QLineEdit* descriptionField_;
    QLabel* descriptionName_;
    QPushButton* confirmButton_;
    QPushButton* cancelButton_;
    QLabel* legend_;

    int category_ = 0;
    int description_ = 0;
};

}  // namespace hanaki
