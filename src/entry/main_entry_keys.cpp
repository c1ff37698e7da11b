// The main window's key tables: for each focus state, the legend it shows and
// what each of its keys does. Typing into the entry fields is not a table
// entry: the number and amount fields take their characters in OnKey.
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/date_fields.h"
#include "entry/day_grid.h"
#include "entry/entry_form.h"
#include "entry/entry_screens.h"
#include "entry/main_entry_screen.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

const std::vector<int> kEnter{Qt::Key_Return, Qt::Key_Enter};
// "/" as typed, and as an input method commits it.
const char* const kMemoCharacters = "/・／";

}  // namespace

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
            return dateFields_->YearKeys();
        case EntryField::Month:
            return dateFields_->MonthKeys();
        case EntryField::Day:
            return dateFields_->DayKeys();
        case EntryField::Category:
            return CategoryKeys();
        case EntryField::Description:
        case EntryField::Income:
        case EntryField::Expense:
        case EntryField::Remark:
            return form_->KeysOf(field);
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
    if (key.key() >= Qt::Key_F5 && key.key() <= Qt::Key_F9) {  // in every field
        OnFunctionKey(key.key() - Qt::Key_F5);
        return true;
    }
    if (key.matches(QKeySequence::Undo)) {  // 取り消し, under the F-keys' rule
        if (FunctionKeysAllowed() && screens_.UndoLastChange(this)) {
            ShowCurrentMonth();
            RefreshGuide();
        }
        return true;
    }
    // The fields are walked with Enter and Esc only.
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab ||
        watched != InputOf(controls_, field_))
        return true;
    if (KeysOf(field_).Run(key))
        return true;
    return form_->TakeTyped(field_, static_cast<QLineEdit*>(watched), key);
}

// Number fields take from an input method what they take from keys.
bool MainEntryScreen::OnCommit(QObject* watched, const QString& text) {
    if (watched != InputOf(controls_, field_))
        return true;
    if (KeysOf(field_).RunCommitted(text))
        return true;
    return form_->TakeCommitted(field_, static_cast<QLineEdit*>(watched), text);
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
