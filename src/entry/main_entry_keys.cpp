// The main window's key tables: one handler per focus state, each with the
// legend that describes it.
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/day_grid.h"
#include "entry/main_entry_screen.h"
#include "entry/memo_editor.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Full-width forms count as their ASCII ones (the fields take them so).
bool IsDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}
bool IsMinus(QChar c) {
    return c == u'-' || c == u'－' || c == u'ー' || c == u'−';
}

bool IsAllDigits(const QString& text) {
    for (QChar c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

// The key's character, or a null QChar for keys that move or edit.
QChar CharacterOf(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.size() != 1 || !text.front().isPrint())
        return {};
    return text.front();
}

// "\" opens the calculator; a Japanese keyboard sends the yen sign for it.
bool IsCalculatorKey(QChar c) {
    return c == u'\\' || c == u'¥' || c == u'￥';
}

}  // namespace

bool MainEntryScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        // Number fields take from an input method what they take from keys.
        const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
        if (commit.isEmpty())
            return false;
        if (watched == categoryField_ || watched == descriptionField_)
            return RefuseNumberText(static_cast<QLineEdit*>(watched), commit);
        if (watched == incomeField_ || watched == expenseField_)
            return RefuseAmountText(static_cast<QLineEdit*>(watched), commit);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.key() >= Qt::Key_F5 && key.key() <= Qt::Key_F8) {
        OnFunctionKey(key.key() - Qt::Key_F5);
        return true;
    }
    // The fields are walked with Enter and Esc only.
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return true;
    if (watched == yearField_)
        return OnYearKey(key);
    if (watched == monthField_)
        return OnMonthKey(key);
    if (watched == dayField_)
        return OnDayKey(key);
    if (watched == categoryField_)
        return OnCategoryKey(key);
    if (watched == descriptionField_)
        return OnDescriptionKey(key);
    if (watched == incomeField_ || watched == expenseField_)
        return OnAmountKey(static_cast<QLineEdit*>(watched), key);
    if (watched == remarkField_)
        return OnRemarkKey(key);
    if (watched == grid_)
        return OnGridKey(key);
    return false;
}

void MainEntryScreen::ChangeDate(bool monthChanged) {
    ShowCurrentDate();
    if (monthChanged)
        ReloadMonth();
    ShowDay();
}

void MainEntryScreen::MoveTo(const CurrentDate& date, bool monthChanged) {
    // Two-digit years in the files only reach from 1950 to 2049.
    if (date.year < kEarliestYear || date.year > kLatestYear)
        return;
    state_.date = date;
    ChangeDate(monthChanged);
}

bool MainEntryScreen::ConfirmExit() {
    if (!services_.messages.Confirm(this, QStringLiteral("家計簿の終了"),
                                    QStringLiteral("終了しますか。　<Enter>OK  <Esc>キャンセル")))
        return false;
    close();
    return true;
}

const char* const kYearLegend = " <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ";

bool MainEntryScreen::OnYearKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown) {
        if (StepYear(state_.date, key.key() == Qt::Key_PageUp ? -1 : 1))
            ChangeDate(true);
    } else if (IsEnter(key)) {
        FocusField(Field::Month);
        state_.date.day = 1;
        ChangeDate(true);
    } else if (key.key() == Qt::Key_Escape) {
        if (ConfirmExit())
            return true;
        state_.date.day = 1;
        ChangeDate(true);
    }
    return true;  // the date fields take no typing
}

const char* const kMonthLegend = " <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>日へ";

bool MainEntryScreen::OnMonthKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown) {
        CurrentDate next = state_.date;
        StepMonth(next, key.key() == Qt::Key_PageUp ? -1 : 1);
        MoveTo(next, true);
    } else if (IsEnter(key)) {
        FocusField(Field::Day);
        state_.date.day = 1;
        ChangeDate(true);
    } else if (key.key() == Qt::Key_Escape) {
        FocusField(Field::Year);
    }
    return true;
}

const char* const kDayLegend = " <ESC>月へ    <PageUp>前日    <PageDown>翌日    <Enter>入力欄へ";

bool MainEntryScreen::OnDayKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown) {
        CurrentDate next = state_.date;
        bool monthChanged = key.key() == Qt::Key_PageUp ? StepPreviousDay(state_.closingDay(), next)
                                                        : StepNextDay(state_.closingDay(), next);
        MoveTo(next, monthChanged);
    } else if (IsEnter(key)) {
        CheckNewMonth();
        ChangeDate(false);
        FocusField(Field::Category);
    } else if (key.key() == Qt::Key_Escape) {
        FocusField(Field::Month);
    }
    return true;
}

const char* const kCategoryLegend =
    " <ESC>終了    <HOME>日付変更    <Shift+HOME>現在日    <↑>訂正    </>メモ";
const char* const kCorrectionCategoryLegend =  // HowtoE1
    " <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし";

// F5 … F8 (any field) are in OnFunctionKey: they act while the buttons are enabled.
bool MainEntryScreen::OnCategoryKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            AcceptCategory();
            return true;
        case Qt::Key_Escape:
            if (!correcting()) {
                ConfirmExit();
                return true;
            }
            EndCorrection();
            ClearInputFields();
            FocusField(Field::Category);
            return true;
        case Qt::Key_Home:
            if (key.modifiers() & Qt::ShiftModifier) {
                PlaceTodayAgain();  // 現在日
            } else {
                GoToDayField();  // 日付変更
            }
            return true;
        case Qt::Key_Up:  // 訂正 (in correction: back to the grid)
            if (correcting()) {
                EndCorrection();
                ClearInputFields();
            }
            if (!day_.rows.empty())
                StartPick(static_cast<int>(day_.rows.size()));
            return true;
        case Qt::Key_Delete:  // 項目削除
            if (correcting())
                DeleteCorrectedItem();
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            return true;
        default:
            break;
    }
    if (CharacterOf(key) == u'/') {  // メモ, while correcting too
        OpenMemo();
        return true;
    }
    return TakeNumberCharacter(categoryField_, key);
}

const char* const kDescriptionLegend = " <ESC>戻る";
const char* const kCorrectionDescriptionLegend =  // HowtoE2
    " <ESC>戻る    <数字>項目入力    <Enter>変更なし";

bool MainEntryScreen::OnDescriptionKey(const QKeyEvent& key) {
    if (IsEnter(key)) {
        AcceptDescription();
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        FocusField(Field::Category);
        return true;
    }
    return TakeNumberCharacter(descriptionField_, key);
}

const char* const kIncomeLegend = " <ESC>戻る    <\\>電卓";
const char* const kExpenseLegend = " <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税 <\\>電卓";
const char* const kCorrectionIncomeLegend =  // HowtoE4
    " <ESC>戻る    <数字>入力    <Enter>変更なし";
const char* const kCorrectionExpenseLegend =  // HowtoE5
    " <ESC>戻る    <数字>入力    <Enter>変更なし    <PageUp>+消費税 <PageDown>-消費税";

bool MainEntryScreen::OnAmountKey(QLineEdit* field, const QKeyEvent& key) {
    const bool expense = field == expenseField_;
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            AcceptAmount(field);
            return true;
        case Qt::Key_Escape:
            LeaveAmount(field);
            return true;
        case Qt::Key_PageUp:    // +消費税, expense only
        case Qt::Key_PageDown:  // -消費税
            if (expense)
                ApplyTax(key.key() == Qt::Key_PageUp);
            return true;
        case Qt::Key_Home:
            return expense;
        default:
            break;
    }
    if (IsCalculatorKey(CharacterOf(key))) {  // 電卓
        OpenCalculator(field);
        return true;
    }
    return TakeAmountCharacter(field, key);
}

const char* const kRemarkLegend = " <ESC>戻る    <Enter>確定";  // HowtoE3 as well

bool MainEntryScreen::OnRemarkKey(const QKeyEvent& key) {
    if (IsEnter(key)) {
        StoreItemFromFields();
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        FocusField(state_.categories.IsExpense(currentCategory_) ? Field::Expense : Field::Income);
        return true;
    }
    return false;
}

const char* const kPickLastRowLegend = " <ESC,↓>入力欄へ    <↑>カーソル移動    <Enter>選択";
const char* const kPickLegend = " <ESC>入力欄へ    <↑↓>カーソル移動    <Enter>選択";

bool MainEntryScreen::OnGridKey(const QKeyEvent& key) {
    const int lastRow = grid_->filledRows();
    const int picked = grid_->pickedRow();
    switch (key.key()) {
        case Qt::Key_Up:
            if (picked > 1)
                MovePick(picked - 1);
            break;
        case Qt::Key_Down:
            if (picked < lastRow) {
                MovePick(picked + 1);
            } else {
                EndPick();
            }
            break;
        case Qt::Key_Escape:
            EndPick();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            BeginCorrection(picked);
            break;
        default:
            break;
    }
    return true;
}

bool MainEntryScreen::TakeNumberCharacter(QLineEdit* field, const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste))
        return true;
    const QChar c = CharacterOf(key);
    if (c.isNull())
        return false;  // Backspace and the caret keys
    return RefuseNumberText(field, c);
}

bool MainEntryScreen::RefuseNumberText(QLineEdit* field, const QString& text) {
    if (!IsAllDigits(text))
        return true;
    // The field shows a name after a number was taken: the digit starts anew.
    if (!IsAllDigits(field->text()))
        field->clear();
    return false;
}

bool MainEntryScreen::TakeAmountCharacter(QLineEdit* field, const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste))
        return true;
    if (key.key() == Qt::Key_Backspace && correction_)
        correction_->amountPrefilled = false;
    const QChar c = CharacterOf(key);
    if (c.isNull())
        return false;
    return RefuseAmountText(field, c);
}

bool MainEntryScreen::RefuseAmountText(QLineEdit* field, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]) && !(i == 0 && IsMinus(text[i])))
            return true;
    }
    if (correction_ && correction_->amountPrefilled) {
        field->clear();
        correction_->amountPrefilled = false;
    }
    if (IsMinus(text.front()))
        return !field->text().isEmpty();  // "-" only as the first character
    // A digit in front of the minus would store an amount no reader takes ("5-300").
    return !field->hasSelectedText() && field->cursorPosition() == 0 &&
           field->text().startsWith(u'-');
}

void MainEntryScreen::ShowLegend() {
    const char* text = nullptr;
    switch (field_) {
        case Field::Year:
            text = kYearLegend;
            break;
        case Field::Month:
            text = kMonthLegend;
            break;
        case Field::Day:
            text = kDayLegend;
            break;
        case Field::Category:
            text = correcting() ? kCorrectionCategoryLegend : kCategoryLegend;
            break;
        case Field::Description:
            text = correcting() ? kCorrectionDescriptionLegend : kDescriptionLegend;
            break;
        case Field::Income:
            text = correcting() ? kCorrectionIncomeLegend : kIncomeLegend;
            break;
        case Field::Expense:
            text = correcting() ? kCorrectionExpenseLegend : kExpenseLegend;
            break;
        case Field::Remark:
            text = kRemarkLegend;
            break;
        case Field::Grid:
            text = grid_->pickedRow() == grid_->filledRows() ? kPickLastRowLegend : kPickLegend;
            break;
        case Field::Memo:
        case Field::Calculator:
            return;  // their editors keep the legend
    }
    legend_->setText(QString::fromUtf8(text));
}

void MainEntryScreen::ShowLegendHint(const QString& hint) {
    ShowLegend();
    legend_->setText(legend_->text() + QStringLiteral("    ") + hint);
}

void MainEntryScreen::FocusField(Field field) {
    if (field_ == Field::Category && field != Field::Category)
        guide_->clear();
    field_ = field;
    if (QWidget* widget = WidgetOf(field))
        widget->setFocus();
    ShowLegend();
    ShowFunctionKeys();
    if (field == Field::Category)
        EnterCategoryField();
    if (field == Field::Description)
        EnterDescriptionField();
}

QWidget* MainEntryScreen::WidgetOf(Field field) const {
    switch (field) {
        case Field::Year:
            return yearField_;
        case Field::Month:
            return monthField_;
        case Field::Day:
            return dayField_;
        case Field::Category:
            return categoryField_;
        case Field::Description:
            return descriptionField_;
        case Field::Income:
            return incomeField_;
        case Field::Expense:
            return expenseField_;
        case Field::Remark:
            return remarkField_;
        case Field::Grid:
            return grid_;
        case Field::Memo:
        case Field::Calculator:
            return nullptr;  // their editors focus their own fields
    }
    return nullptr;
}

void MainEntryScreen::OnFunctionKey(int index) {
    if (!FunctionKeysAllowed())
        return;
    OpenSubScreen(index);
}

}  // namespace hanaki
