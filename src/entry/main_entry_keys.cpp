// The main window's key tables: for each focus state, the legend it shows and
// what each of its keys does. Typing into the entry fields is not a table
// entry: the number and amount fields take their characters in OnKey.
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/day_grid.h"
#include "entry/entry_form.h"
#include "entry/entry_screens.h"
#include "entry/main_entry_screen.h"
#include "entry/typed_text.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

const std::vector<int> kEnter{Qt::Key_Return, Qt::Key_Enter};
// "/" and "\" as typed, and as an input method commits them.
const char* const kMemoCharacters = "/・／";
const char* const kCalculatorCharacters = "\\¥￥＼";

}  // namespace

KeyTable MainEntryScreen::YearKeys() {
    return {" <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ",
            {{{Qt::Key_Escape},
              "終了",
              [this] {
                  if (ConfirmExit())
                      return;
                  state_.date.day = 1;
                  ChangeDate(true);
              }},
             {{Qt::Key_PageUp},
              "前年",
              [this] {
                  if (StepYear(state_.date, -1))
                      ChangeDate(true);
              }},
             {{Qt::Key_PageDown},
              "翌年",
              [this] {
                  if (StepYear(state_.date, 1))
                      ChangeDate(true);
              }},
             {kEnter, "月へ", [this] {
                  FocusField(EntryField::Month);
                  state_.date.day = 1;
                  ChangeDate(true);
              }}}};
}

KeyTable MainEntryScreen::MonthKeys() {
    auto step = [this](int delta) {
        CurrentDate next = state_.date;
        StepMonth(next, delta);
        MoveTo(next, true);
    };
    return {" <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>日へ",
            {{{Qt::Key_Escape}, "年へ", [this] { FocusField(EntryField::Year); }},
             {{Qt::Key_PageUp}, "前月", [step] { step(-1); }},
             {{Qt::Key_PageDown}, "翌月", [step] { step(1); }},
             {kEnter, "日へ", [this] {
                  FocusField(EntryField::Day);
                  state_.date.day = 1;
                  ChangeDate(true);
              }}}};
}

KeyTable MainEntryScreen::DayKeys() {
    auto step = [this](bool forward) {
        CurrentDate next = state_.date;
        const bool monthChanged = forward ? StepNextDay(state_.closingDay(), next)
                                          : StepPreviousDay(state_.closingDay(), next);
        MoveTo(next, monthChanged);
    };
    return {" <ESC>月へ    <PageUp>前日    <PageDown>翌日    <Enter>入力欄へ",
            {{{Qt::Key_Escape}, "月へ", [this] { FocusField(EntryField::Month); }},
             {{Qt::Key_PageUp}, "前日", [step] { step(false); }},
             {{Qt::Key_PageDown}, "翌日", [step] { step(true); }},
             {kEnter, "入力欄へ", [this] {
                  form_->CheckNewMonth();
                  ChangeDate(false);
                  FocusField(EntryField::Category);
              }}}};
}

KeyTable MainEntryScreen::CategoryKeys() {
    // Keys of both legends; Enter takes the typed number (in correction, 変更なし).
    std::vector<KeyBinding> keys{
        {kEnter, "変更なし", [this] { form_->AcceptCategory(); }},
        {{Qt::Key_Home}, "現在日", [this] { PlaceTodayAgain(); }, Qt::ShiftModifier},
        {{Qt::Key_Home}, "日付変更", [this] { GoToDayField(); }},
        {{Qt::Key_Up},
         "訂正",
         [this] {
             if (form_->correcting()) {  // back to the grid
                 form_->EndCorrection();
                 form_->ClearInputFields();
             }
             if (!day_.rows.empty())
                 form_->StartPick(static_cast<int>(day_.rows.size()));
         }},
        {kMemoCharacters, "メモ", [this] { OpenMemo(); }},  // while correcting too
        {{Qt::Key_Right, Qt::Key_Down}, "", [] {}},
    };
    if (!form_->correcting()) {
        keys.push_back({{Qt::Key_Escape}, "終了", [this] { ConfirmExit(); }});
        keys.push_back({{Qt::Key_Delete}, "", [] {}});
        return {" <ESC>終了    <HOME>日付変更    <Shift+HOME>現在日    <↑>訂正    </>メモ",
                std::move(keys)};
    }
    keys.push_back({{Qt::Key_Escape}, "入力欄", [this] {
                        form_->EndCorrection();
                        form_->ClearInputFields();
                        FocusField(EntryField::Category);
                    }});
    keys.push_back({{Qt::Key_Delete}, "項目削除", [this] { form_->DeleteCorrectedItem(); }});
    return {" <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし",
            std::move(keys)};
}

KeyTable MainEntryScreen::DescriptionKeys() {
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "戻る", [this] { FocusField(EntryField::Category); }},
        {kEnter, "変更なし", [this] { form_->AcceptDescription(); }},
    };
    return {form_->correcting() ? " <ESC>戻る    <数字>項目入力    <Enter>変更なし" : " <ESC>戻る",
            std::move(keys)};
}

KeyTable MainEntryScreen::AmountKeys(QLineEdit* field) {
    const bool expense = field == controls_.expenseField;
    std::vector<KeyBinding> keys{
        {kEnter, "変更なし", [this, field] { form_->AcceptAmount(field); }},
        {{Qt::Key_Escape}, "戻る", [this, field] { form_->LeaveAmount(field); }},
        {kCalculatorCharacters, "電卓", [this, field] { form_->OpenCalculator(field); }},
    };
    if (!expense) {
        keys.push_back({{Qt::Key_PageUp, Qt::Key_PageDown}, "", [] {}});
        return {form_->correcting() ? " <ESC>戻る    <数字>入力    <Enter>変更なし"
                                    : " <ESC>戻る    <\\>電卓",
                std::move(keys)};
    }
    keys.push_back({{Qt::Key_PageUp}, "+消費税", [this] { form_->ApplyTax(true); }});
    keys.push_back({{Qt::Key_PageDown}, "-消費税", [this] { form_->ApplyTax(false); }});
    keys.push_back({{Qt::Key_Home}, "", [] {}});
    return {form_->correcting()
                ? " <ESC>戻る    <数字>入力    <Enter>変更なし    <PageUp>+消費税 <PageDown>-消費税"
                : " <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税 <\\>電卓",
            std::move(keys)};
}

KeyTable MainEntryScreen::RemarkKeys() {
    return {" <ESC>戻る    <Enter>確定",
            {{{Qt::Key_Escape}, "戻る", [this] { form_->LeaveRemark(); }},
             {kEnter, "確定", [this] { form_->StoreItemFromFields(); }}}};
}

KeyTable MainEntryScreen::GridKeys() {
    const int lastRow = controls_.grid->filledRows();
    const int picked = controls_.grid->pickedRow();
    auto move = [this](int row) {
        form_->MovePick(row);
        ShowLegend();
    };
    return {picked == lastRow ? " <ESC,↓>入力欄へ    <↑>カーソル移動    <Enter>選択"
                              : " <ESC>入力欄へ    <↑↓>カーソル移動    <Enter>選択",
            {{{Qt::Key_Escape}, "入力欄へ", [this] { form_->EndPick(); }},
             {{Qt::Key_Up},
              "カーソル移動",
              [move, picked] {
                  if (picked > 1)
                      move(picked - 1);
              }},
             {{Qt::Key_Down},
              "カーソル移動",
              [this, move, picked, lastRow] {
                  if (picked < lastRow)
                      move(picked + 1);
                  else
                      form_->EndPick();
              }},
             {kEnter, "選択", [this, picked] { form_->BeginCorrection(picked); }}}};
}

KeyTable MainEntryScreen::KeysOf(EntryField field) {
    switch (field) {
        case EntryField::Year:
            return YearKeys();
        case EntryField::Month:
            return MonthKeys();
        case EntryField::Day:
            return DayKeys();
        case EntryField::Category:
            return CategoryKeys();
        case EntryField::Description:
            return DescriptionKeys();
        case EntryField::Income:
            return AmountKeys(controls_.incomeField);
        case EntryField::Expense:
            return AmountKeys(controls_.expenseField);
        case EntryField::Remark:
            return RemarkKeys();
        case EntryField::Grid:
            return GridKeys();
        case EntryField::Memo:
        case EntryField::Calculator:
            break;  // their editors own the keys and the legend
    }
    return {};
}

bool MainEntryScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
        return !commit.isEmpty() && OnCommit(watched, commit);
    }
    if (event->type() == QEvent::KeyPress)
        return OnKey(watched, *static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool MainEntryScreen::OnKey(QObject* watched, const QKeyEvent& key) {
    if (key.key() >= Qt::Key_F5 && key.key() <= Qt::Key_F8) {  // in every field
        OnFunctionKey(key.key() - Qt::Key_F5);
        return true;
    }
    // The fields are walked with Enter and Esc only.
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab || watched != WidgetOf(field_))
        return true;
    if (KeysOf(field_).Run(key))
        return true;
    auto* field = static_cast<QLineEdit*>(watched);
    if (key.matches(QKeySequence::Paste))
        return field_ != EntryField::Remark;
    const QChar c = CharacterOf(key);
    switch (field_) {
        case EntryField::Category:
        case EntryField::Description:  // digits; Backspace and the caret keys edit
            return !c.isNull() && form_->RefuseNumber(field, c);
        case EntryField::Income:
        case EntryField::Expense:
            if (key.key() == Qt::Key_Backspace)
                form_->AmountEdited();
            return !c.isNull() && form_->RefuseAmount(field, c);
        case EntryField::Remark:
            return false;  // typed as it comes
        default:
            return true;  // the date fields and the grid take no typing
    }
}

// Number fields take from an input method what they take from keys.
bool MainEntryScreen::OnCommit(QObject* watched, const QString& text) {
    if (watched != WidgetOf(field_))
        return true;
    if (KeysOf(field_).RunCommitted(text))
        return true;
    auto* field = static_cast<QLineEdit*>(watched);
    switch (field_) {
        case EntryField::Category:
        case EntryField::Description:
            return form_->RefuseNumber(field, text);
        case EntryField::Income:
        case EntryField::Expense:
            return form_->RefuseAmount(field, text);
        default:
            return false;
    }
}

void MainEntryScreen::ShowLegend() {
    if (field_ != EntryField::Memo && field_ != EntryField::Calculator)
        controls_.legend->setText(QString::fromUtf8(KeysOf(field_).legend));
    for (QPushButton* button : controls_.functionButtons)
        button->setEnabled(FunctionKeysAllowed());
}

void MainEntryScreen::ShowLegendHint(const QString& hint) {
    ShowLegend();
    controls_.legend->setText(controls_.legend->text() + QStringLiteral("    ") + hint);
}

bool MainEntryScreen::FunctionKeysAllowed() const {
    switch (field_) {
        case EntryField::Year:
        case EntryField::Month:
        case EntryField::Day:
            return true;
        case EntryField::Category:
            return !form_->correcting();
        default:
            return false;
    }
}

void MainEntryScreen::OnFunctionKey(int index) {
    if (FunctionKeysAllowed())
        screens_.Open(static_cast<FunctionScreen>(index), *this);
}

}  // namespace hanaki
