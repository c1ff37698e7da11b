#pragma once

#include <QDialog>
#include <optional>

#include "ui/key_table.h"

class QLabel;
class QLineEdit;

namespace hanaki {

// Asks for the foreign book's closing day at the start of every conversion.
// The day only moves with PageUp and PageDown; typed characters are ignored.
class ConverterClosingDayDialog : public QDialog, public KeysInForce {
    Q_OBJECT
  public:
    explicit ConverterClosingDayDialog(QWidget* parent = nullptr);
    KeyTable KeysNow() override;

    // Shows the dialog modally: the day confirmed with Enter, nullopt after Esc.
    static std::optional<int> Ask(QWidget* parent);

    int closingDay() const { return day_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetDay(int day);

    QLabel* prompt_;
    QLabel* sentence_;
    QLabel* legend_;
    QLineEdit* dayField_;
    int day_ = 31;
};

}  // namespace hanaki
