#include "entry/entry_calculator.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <limits>

#include "data/book/amount_format.h"
#include "data/book/consumption_tax.h"
#include "ui/input_method_off.h"
#include "ui/message_service.h"

namespace hanaki {
namespace {

bool Fits32(long long value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits after an optional minus; "" and "-" read as 0, as in the amount
// fields. nullopt when the number does not fit 32 bits.
std::optional<std::int32_t> ValueOf(const QString& number) {
    if (number.isEmpty() || number == u"-")
        return 0;
    bool ok = false;
    const qlonglong value = number.toLongLong(&ok);
    if (!ok || !Fits32(value))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// An input method left on commits full-width digits and ＋－＊／.
// Full-width forms, and the middle dot an input method commits for the slash key.
char32_t AsciiForm(char32_t c) {
    if (c == U'・')
        return U'/';
    return c >= 0xFF01 && c <= 0xFF5E ? c - 0xFEE0 : c;
}

}  // namespace

EntryCalculator::EntryCalculator(QLineEdit* field, QLabel* legend, MessageService& messages,
                                 QWidget* dialogParent, QObject* parent)
    : QObject(parent),
      field_(field),
      legend_(legend),
      messages_(messages),
      dialogParent_(dialogParent) {
    // Only keys reach the expression: no input method, context-menu paste or drop.
    // An input method left on would hold the digits in a composition Enter only commits.
    SwitchInputMethodOff(field_);
    field_->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferNumbers);
    field_->setContextMenuPolicy(Qt::NoContextMenu);
    field_->setAcceptDrops(false);
    field_->installEventFilter(this);
}

void EntryCalculator::Open(const QString& amountText, const CivilDate& taxDate) {
    taxDate_ = taxDate;
    pendingOperator_ = 0;
    runningValue_ = 0;
    field_->setText(amountText);
    field_->show();
    field_->setFocus();
    field_->end(false);
    legend_->setText(QString::fromUtf8(Keys().legend));
}

KeyTable EntryCalculator::KeysNow() {
    return field_->isVisible() ? Keys() : KeyTable{};
}

KeyTable EntryCalculator::Keys() {
    return {
        "<ESC>戻る <Enter>計算,確定 <Del>Clear <Ins>AC <PageUp>+消費税 <PageDown>-消費税",
        {{{Qt::Key_Escape}, "<ESC>戻る", [this] { Cancel(); }},
         {kEnterKeys, "<Enter>計算,確定", [this] { Calculate(); }},
         {{Qt::Key_Delete}, "<Del>Clear", [this] { Clear(); }},
         {{Qt::Key_Insert}, "<Ins>AC", [this] { AllClear(); }},
         {{Qt::Key_PageUp}, "<PageUp>+消費税", [this] { ApplyTax(AddConsumptionTax); }},
         {{Qt::Key_PageDown}, "<PageDown>-消費税", [this] { ApplyTax(RemoveConsumptionTax); }}}};
}

bool EntryCalculator::OnKey(const QKeyEvent& key) {
    if (Keys().Run(key))
        return true;
    if (key.key() == Qt::Key_End)
        return false;  // the field moves the caret
    Type(key.text());  // digits and operators; every other key is swallowed
    return true;
}

bool EntryCalculator::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_)
        return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // The window's shortcuts wait while the calculator has the keys.
            event->accept();
            return true;
        case QEvent::KeyPress:
            return OnKey(static_cast<const QKeyEvent&>(*event));
        case QEvent::InputMethod:
            OnCommit(static_cast<const QInputMethodEvent&>(*event));
            return true;
        case QEvent::MouseButtonRelease:
            // X11 pastes the selection on a middle click.
            return static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton;
        default:
            return false;
    }
}

void EntryCalculator::OnCommit(const QInputMethodEvent& commit) {
    Type(commit.commitString());
}

void EntryCalculator::Type(const QString& text) {
    for (char32_t c : text.toUcs4()) {
        c = AsciiForm(c);
        if (c >= U'0' && c <= U'9') {
            field_->end(false);
            field_->insert(QChar(c));
        } else if (c == U'+' || c == U'-' || c == U'*' || c == U'/') {
            TypeOperator(static_cast<char>(c));
        }
    }
}

// Left to right, no precedence: the pending operation is applied before the
// next operator is written.
void EntryCalculator::TypeOperator(char op) {
    const QString text = field_->text();
    if (text.isEmpty())
        return;
    if (pendingOperator_ == 0) {
        const std::optional<std::int32_t> value = ValueOf(text);
        if (!value)
            return Overflow();
        runningValue_ = *value;
    } else if (!text.endsWith(QLatin1Char(pendingOperator_))) {
        const std::optional<std::int32_t> n = ValueOf(text.mid(SymbolIndex() + 1));
        const std::optional<std::int32_t> result = n ? Apply(*n) : std::nullopt;
        if (!result)
            return Overflow();
        runningValue_ = *result;
    }
    pendingOperator_ = op;
    field_->setText(QString::number(runningValue_) + QLatin1Char(op));
}

void EntryCalculator::Calculate() {
    const QString text = field_->text();
    if (text.isEmpty())
        return;
    if (pendingOperator_ == 0) {
        const std::optional<std::int32_t> value = ValueOf(text);
        return value ? Finish(*value) : Overflow();
    }
    if (text.endsWith(QLatin1Char(pendingOperator_)))
        return Finish(runningValue_);
    const std::optional<std::int32_t> n = ValueOf(text.mid(SymbolIndex() + 1));
    const std::optional<std::int32_t> result = n ? Apply(*n) : std::nullopt;
    if (!result)
        return Overflow();
    pendingOperator_ = 0;
    runningValue_ = 0;
    field_->setText(QString::number(*result));
}

void EntryCalculator::Clear() {
    if (pendingOperator_ != 0)
        field_->setText(field_->text().left(SymbolIndex() + 1));
    else
        field_->clear();
}

void EntryCalculator::AllClear() {
    pendingOperator_ = 0;
    runningValue_ = 0;
    field_->clear();
}

void EntryCalculator::ApplyTax(long long (*tax)(long long, const CivilDate&)) {
    const QString text = field_->text();
    if (pendingOperator_ != 0 || text.isEmpty())
        return;
    const std::optional<std::int32_t> value = ValueOf(text);
    const long long taxed = value ? tax(*value, taxDate_) : 0;
    if (!value || !Fits32(taxed))
        return Overflow();
    field_->setText(QString::fromStdString(FormatPlainBlankZero(static_cast<double>(taxed))));
}

void EntryCalculator::Finish(std::int32_t value) {
    const QString result = QString::number(value);
    if (result.size() > kAmountBytes)
        return Overflow();
    pendingOperator_ = 0;
    runningValue_ = 0;
    field_->hide();
    emit finished(result);
}

void EntryCalculator::Cancel() {
    pendingOperator_ = 0;
    runningValue_ = 0;
    field_->hide();
    field_->clear();
    emit cancelled();
}

void EntryCalculator::Overflow() {
    messages_.Inform(dialogParent_, QStringLiteral("Over Flow"),
                     QStringLiteral("桁あふれ or 0で除算  <Enter>"));
    AllClear();
    field_->setFocus();
}

std::optional<std::int32_t> EntryCalculator::Apply(std::int32_t n) const {
    long long value = runningValue_;
    switch (pendingOperator_) {
        case '+':
            value += n;
            break;
        case '-':
            value -= n;
            break;
        case '*':
            value *= n;
            break;
        case '/':
            if (n == 0)
                return std::nullopt;
            value /= n;  // truncates toward zero
            break;
    }
    if (!Fits32(value))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

int EntryCalculator::SymbolIndex() const {
    const QString text = field_->text();
    for (int i = static_cast<int>(text.size()) - 1; i > 0; --i) {
        if (!IsDigit(text[i]))
            return i;
    }
    return 0;
}

}  // namespace hanaki

#include "moc_entry_calculator.cpp"
