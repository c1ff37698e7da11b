#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "data/formats/calendar.h"
#include "ui/key_table.h"

class QEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QWidget;

namespace hanaki {

class MessageService;

// The amount fields take 9 bytes and the ledger keeps 9 digits after the
// sign; a longer result would be cut on disk.
constexpr int kAmountBytes = 9;

// The one-line calculator opened over an amount field ("\"): whole numbers,
// + - * / strictly left to right, and the consumption-tax keys. It owns the
// keys of its field (an event filter); the main window owns the field.
class EntryCalculator : public QObject, public KeysInForce {
    Q_OBJECT
  public:
    EntryCalculator(QLineEdit* field, QLabel* legend, MessageService& messages,
                    QWidget* dialogParent, QObject* parent = nullptr);
    KeyTable KeysNow() override;

    // Starts on the amount field's text; the tax keys use the rate in force on
    // `taxDate` (the displayed day).
    void Open(const QString& amountText, const CivilDate& taxDate);

  signals:
    // The field is hidden; `result` is confirmed like a typed amount.
    void finished(const QString& result);
    // Esc: the field is hidden and cleared.
    void cancelled();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The keys with a meaning and the legend; digits and operators are typed.
    KeyTable Keys();
    bool OnKey(const QKeyEvent& key);
    void OnCommit(const QInputMethodEvent& commit);
    void Type(const QString& text);
    void TypeOperator(char op);
    void Calculate();
    void Clear();
    void AllClear();
    void ApplyTax(long long (*tax)(long long, const CivilDate&));
    void Finish(std::int32_t value);
    void Cancel();
    void Overflow();
    // The running value with `pendingOperator_` and `n` applied; nullopt on overflow
    // or division by zero.
    std::optional<std::int32_t> Apply(std::int32_t n) const;
    // Where `pendingOperator_` stands in the field (after a leading minus).
    int SymbolIndex() const;

    QLineEdit* field_;
    QLabel* legend_;
    MessageService& messages_;
    QWidget* dialogParent_;
    CivilDate taxDate_;
    std::int32_t runningValue_ = 0;  // the value left of the pending operator
    char pendingOperator_ = 0;       // '+', '-', '*', '/'; 0 for none
};

}  // namespace hanaki
