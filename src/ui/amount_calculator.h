#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "data/formats/calendar.h"
#include "ui/key_table.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace hanaki {

// The characters that open the calculator in an amount field: the backslash,
// and the yen signs an input method or a Japanese keyboard gives for it.
inline constexpr char kCalculatorCharacters[] = "\\¥￥＼";

// The amount fields' calculator ("\") for a screen that is not the main
// window: the program provides it, so that the screen knows no other's class.
// While its field is shown it takes that field's keys and names them.
class AmountCalculator : public KeysInForce {
  public:
    // Starts on `amountText`; the tax keys use the rate in force on `taxDate`.
    virtual void Open(const QString& amountText, const CivilDate& taxDate) = 0;
};

// What the calculator ends in: a result, confirmed like a typed amount, or
// nothing (Esc). Either way its field is hidden again.
struct CalculatorEnds {
    std::function<void(const QString& result)> finished;
    std::function<void()> cancelled;
};

// Builds a calculator on `field` (hidden until opened) that shows its legend
// in `legend` and its messages in front of `window`.
using MakeAmountCalculator = std::function<std::unique_ptr<AmountCalculator>(
    QLineEdit* field, QLabel* legend, QWidget* window, CalculatorEnds ends)>;

}  // namespace hanaki
