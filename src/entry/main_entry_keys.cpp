#include "entry/main_entry_keys.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/date_fields.h"
#include "entry/day_grid.h"
#include "entry/entry_form.h"
#include "entry/entry_screens.h"
#include "entry/item_correction.h"
#include "entry/main_entry_screen.h"
#include "entry/month_view.h"
#include "entry/remark_completer.h"
#include "entry/typed_text.h"
#include "ui/amount_calculator.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

// "\\" as typed, and as an input method commits it; a Japanese keyboard sends "¥".
// "/" as typed, and as an input method commits it.
const char* const kMemoCharacters = "/・／";

}  // namespace

MainEntryKeys::MainEntryKeys(const ProgramState& state, const MainEntryControls& controls,
                             DateFields& dateFields, EntryForm& form, ItemCorrection& correction,
                             const MonthView& month, EntryScreens& screens, MainEntryScreen& window,
                             Link link)
    : QObject(&window),
      state_(state),
      controls_(controls),
      dateFields_(dateFields),
      form_(form),
      correction_(correction),
      month_(month),
      screens_(screens),
      window_(window),
      link_(std::move(link)) {
    for (EntryField field : {EntryField::Year, EntryField::Month, EntryField::Day, EntryField::Grid,
                             EntryField::Category, EntryField::Description, EntryField::Income,
                             EntryField::Expense, EntryField::Remark})
        InputOf(controls_, field)->installEventFilter(this);
    connect(controls_.remarkField, &ByteLimitedField::refused, this,
            &MainEntryKeys::ShowLegendHint);
    connect(&form_.completer(), &RemarkCompleter::shownChanged, this, [this] {
        if (field_ == EntryField::Remark)
            ShowLegend();
    });
    connect(controls_.grid, &QTableWidget::cellClicked, this,
            [this](int row, int) { OnGridClicked(row + 1); });
    for (std::size_t i = 0; i < controls_.functionButtons.size(); ++i)
        connect(controls_.functionButtons[i], &QPushButton::clicked, this,
                [this, i] { OnFunctionKey(static_cast<FunctionScreen>(i)); });
}

void MainEntryKeys::Focus(EntryField field) {
    if (field_ == EntryField::Category && field != EntryField::Category)
        controls_.guide->clear();
    field_ = field;
    if (QWidget* widget = InputOf(controls_, field))
        widget->setFocus();
    ShowLegend();
    if (field == EntryField::Category)
        form_.EnterCategoryField();
    if (field == EntryField::Description)
        form_.EnterDescriptionField();
}

void MainEntryKeys::GiveToEditor(EntryField editor) {
    field_ = editor;
    ShowLegend();
}

void MainEntryKeys::OnGridClicked(int picked) {
    if (picked > controls_.grid->filledRows())
        return;
    if (field_ == EntryField::Grid) {
        correction_.MovePick(picked);
        ShowLegend();
    } else if (field_ == EntryField::Category && !correction_.active()) {
        correction_.StartPick(picked);
    }
}

KeyTable MainEntryKeys::CategoryKeys() {
    // Enter takes the typed number (in correction, 変更なし); digits are typed.
    const bool correcting = correction_.active();
    std::vector<KeyBinding> keys{
        {kEnterKeys, correcting ? "<Enter>変更なし" : "", [this] { form_.AcceptCategory(); }},
        {{Qt::Key_Home},
         correcting ? "" : "<Shift+HOME>現在日",
         [this] { link_.placeTodayAgain(); },
         Qt::ShiftModifier},
        {{Qt::Key_Home}, correcting ? "" : "<HOME>日付変更", [this] { link_.goToDayField(); }},
        {{Qt::Key_Up},
         correcting ? "<↑>訂正欄" : "<↑>訂正",
         [this] {
             if (correction_.active()) {  // back to the grid
                 correction_.End();
                 form_.ClearInputFields();
             }
             if (!month_.day().rows.empty())
                 correction_.StartPick(static_cast<int>(month_.day().rows.size()));
         }},
        // The memo opens while correcting too, unnamed there.
        {kMemoCharacters, correcting ? "" : "</>メモ", [this] { link_.openMemo(); }},
        {{Qt::Key_Right, Qt::Key_Down}, "", [] {}},
    };
    if (!correcting) {
        keys.push_back({{Qt::Key_Escape}, "<ESC>終了", [this] { link_.confirmExit(); }});
        keys.push_back({{Qt::Key_Delete}, "", [] {}});
        keys.push_back(
            {{Qt::Key_Insert}, "<Ins>繰返し", [this] { form_.RepeatItem(form_.ItemAbove()); }});
        keys.push_back({{Qt::Key_PageUp}, "<PageUp,Down>前日,翌日", [this] { StepDay(false); }});
        keys.push_back({{Qt::Key_PageDown}, "<PageUp,Down>前日,翌日", [this] { StepDay(true); }});
        keys.push_back(TakenElsewhere("<Space,文字>備考から"));  // TakeTyped, TakeCommitted
        keys.push_back(TakenElsewhere("<F10>明細取込"));         // WindowKeys
        return {
            " <ESC>終了    <HOME>日付変更    <Shift+HOME>現在日    <↑>訂正    </>メモ"
            "\n <Ins>繰返し    <PageUp,Down>前日,翌日    <Space,文字>備考から    <F10>明細取込",
            std::move(keys)};
    }
    keys.push_back({{Qt::Key_Escape}, "<ESC>入力欄", [this] {
                        correction_.End();
                        form_.ClearInputFields();
                        Focus(EntryField::Category);
                    }});
    keys.push_back({{Qt::Key_Delete}, "<DEL>項目削除", [this] { form_.DeleteCorrectedItem(); }});
    keys.push_back(TakenElsewhere("<数字>項目入力"));  // TakeTyped
    return {" <ESC>入力欄  <↑>訂正欄    <DEL>項目削除    <数字>項目入力    <Enter>変更なし",
            std::move(keys)};
}

KeyTable MainEntryKeys::DescriptionKeys() {
    const bool correcting = correction_.active();
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "<ESC>戻る", [this] { Focus(EntryField::Category); }},
        {kEnterKeys, correcting ? "<Enter>変更なし" : "", [this] { form_.AcceptDescription(); }},
    };
    if (!correcting)
        return {" <ESC>戻る", std::move(keys)};
    keys.push_back(TakenElsewhere("<数字>項目入力"));  // TakeTyped
    return {" <ESC>戻る    <数字>項目入力    <Enter>変更なし", std::move(keys)};
}

KeyTable MainEntryKeys::AmountKeys(QLineEdit* field) {
    const bool expense = field == controls_.expenseField;
    const bool correcting = correction_.active();
    std::vector<KeyBinding> keys{
        {kEnterKeys, correcting ? "<Enter>変更なし" : "",
         [this, field] { form_.AcceptAmount(field); }},
        {{Qt::Key_Escape}, "<ESC>戻る", [this, field] { form_.LeaveAmount(field); }},
        {kCalculatorCharacters, correcting ? "" : "<\\>電卓",
         [this, field] { form_.OpenCalculator(field); }},
    };
    if (correcting)
        keys.push_back(TakenElsewhere("<数字>入力"));  // TakeTyped
    // After Ins in the category field, Ins again steps to an earlier item.
    const bool repeating = form_.repeating() && !correcting;
    if (repeating)
        keys.push_back({{Qt::Key_Insert}, "<Ins>前の項目", [this] { form_.RepeatEarlier(); }});
    if (!expense) {
        keys.push_back({{Qt::Key_PageUp, Qt::Key_PageDown}, "", [] {}});
        return {correcting  ? " <ESC>戻る    <数字>入力    <Enter>変更なし"
                : repeating ? " <ESC>戻る    <\\>電卓\n <Ins>前の項目"
                            : " <ESC>戻る    <\\>電卓",
                std::move(keys)};
    }
    keys.push_back({{Qt::Key_PageUp}, "<PageUp>+消費税", [this] { form_.ApplyTax(true); }});
    keys.push_back({{Qt::Key_PageDown}, "<PageDown>-消費税", [this] { form_.ApplyTax(false); }});
    keys.push_back({{Qt::Key_Home}, "", [] {}});
    return {correcting
                ? " <ESC>戻る    <数字>入力    <Enter>変更なし    <PageUp>+消費税 <PageDown>-消費税"
            : repeating ? " <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税 <\\>電卓\n <Ins>前の項目"
                        : " <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税 <\\>電卓",
            std::move(keys)};
}

KeyTable MainEntryKeys::RemarkKeys() {
    // Tab and → take a completion shown; with none, → moves the caret and Tab
    // does nothing. While a composition is open both are the input method's.
    const bool shown = form_.completer().Shown();
    auto accept = [this](bool caret) {
        if (form_.completer().composing())
            return;
        if (!form_.AcceptCompletion() && caret)
            controls_.remarkField->cursorForward(false);
    };
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "<ESC>戻る", [this] { form_.LeaveRemark(); }},
        {kEnterKeys, "<Enter>確定",
         [this] {
             if (form_.fromRemark())
                 form_.TakeRemark();
             else
                 form_.StoreItemFromFields();
         }},
        {{Qt::Key_Tab}, shown ? "<Tab,→>補完" : "", [accept] { accept(false); }},
        {{Qt::Key_Right}, shown ? "<Tab,→>補完" : "", [accept] { accept(true); }},
    };
    return {shown ? " <ESC>戻る    <Enter>確定    <Tab,→>補完" : " <ESC>戻る    <Enter>確定",
            std::move(keys)};
}

void MainEntryKeys::StepDay(bool forward) {
    const int month = state_.date.year * 100 + state_.date.month;
    dateFields_.StepDay(forward);
    // Into another month, as from the day field: the new-month check runs.
    if (state_.date.year * 100 + state_.date.month != month)
        form_.CheckNewMonth();
    Focus(EntryField::Category);
}

// A one-digit number moves on when no longer number of the master starts with it.
void MainEntryKeys::MoveOnAfterOneDigit(EntryField state, QLineEdit* field) {
    if (!state_.entryOptions.oneDigitMovesOn || correction_.active())
        return;
    const QString text = field->text();
    if (text.size() != 1 || text[0] < u'1' || text[0] > u'9')
        return;
    const CategoryTable& master = state_.categories;
    const int digit = text[0].unicode() - u'0';
    for (int longer = digit * 10; longer < digit * 10 + 10 && longer <= 20; ++longer) {
        const bool named = state == EntryField::Category
                               ? master.HasCategory(longer)
                               : master.HasDescription(form_.currentCategory(), longer);
        if (named)
            return;
    }
    if (state == EntryField::Category)
        form_.AcceptCategory();
    else
        form_.AcceptDescription();
}

bool MainEntryKeys::TakeTyped(EntryField state, QLineEdit* field, const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste))
        return state != EntryField::Remark;
    const QChar c = CharacterOf(key);
    switch (state) {
        case EntryField::Category:
            // Any other character starts the item from its remark. The input
            // method is off in this number field: Space only moves on, so that
            // the remark's first key starts a composition there; a letter goes
            // on as romaji.
            if (!c.isNull() && RefuseNumberText(field, c)) {
                if (!correction_.active())
                    form_.StartFromRemark(c == u' ' ? QString() : QString(c), c != u' ');
                return true;
            }
            return !c.isNull() && TypeNumber(state, field, c);
        case EntryField::Description:  // digits; Backspace and the caret keys edit
            return !c.isNull() && (RefuseNumberText(field, c) || TypeNumber(state, field, c));
        case EntryField::Income:
        case EntryField::Expense:
            if (key.key() == Qt::Key_Backspace)
                correction_.AmountEdited();
            return !c.isNull() && RefuseAmount(field, c);
        case EntryField::Remark:
            return false;  // typed as it comes
        default:
            return true;  // the date fields and the grid take no typing
    }
}

bool MainEntryKeys::TakeCommitted(EntryField state, QLineEdit* field, const QString& text) {
    switch (state) {
        case EntryField::Category:
            if (RefuseNumberText(field, text)) {
                if (!correction_.active())
                    form_.StartFromRemark(text, false);
                return true;
            }
            return TypeNumber(state, field, text);
        case EntryField::Description:
            return RefuseNumberText(field, text) || TypeNumber(state, field, text);
        case EntryField::Income:
        case EntryField::Expense:
            return RefuseAmount(field, text);
        default:
            return false;
    }
}

bool MainEntryKeys::TypeNumber(EntryField state, QLineEdit* field, const QString& text) {
    if (!state_.entryOptions.oneDigitMovesOn)
        return false;  // the field takes it as typed
    field->insert(text);
    MoveOnAfterOneDigit(state, field);
    return true;
}

bool MainEntryKeys::RefuseAmount(QLineEdit* field, const QString& text) {
    Correction* corrected = correction_.item();
    bool prefilled = corrected && corrected->amountPrefilled;
    const bool refused = RefuseAmountText(field, text, prefilled);
    if (corrected)
        corrected->amountPrefilled = prefilled;
    return refused;
}

// The F-keys and the shared keys act in every field, under FunctionKeysAllowed;
// the buttons name the F-keys, the guide the shared keys.
std::vector<KeyBinding> MainEntryKeys::WindowKeys() {
    return {
        {{Qt::Key_F5}, "", [this] { OnFunctionKey(FunctionScreen::MonthlyTable); }},
        {{Qt::Key_F6}, "", [this] { OnFunctionKey(FunctionScreen::SummaryMenu); }},
        {{Qt::Key_F7}, "", [this] { OnFunctionKey(FunctionScreen::SettingsMenu); }},
        {{Qt::Key_F8}, "", [this] { OnFunctionKey(FunctionScreen::CsvExport); }},
        {{Qt::Key_F9}, "", [this] { OnFunctionKey(FunctionScreen::Find); }},
        {{Qt::Key_F10}, "", [this] { OnFunctionKey(FunctionScreen::Statement); }},   // 明細取込
        {SharedKey::Undo, "", [this] { RunSharedKey(SharedKey::Undo, &window_); }},  // 取り消し
        {SharedKey::Redo, "", [this] { RunSharedKey(SharedKey::Redo, &window_); }},  // やり直し
    };
}

KeyTable MainEntryKeys::KeysNow() {
    return KeysOf(field_);
}

KeyTable MainEntryKeys::KeysOf(EntryField field) {
    KeyTable table = FieldKeysOf(field);
    std::vector<KeyBinding> window = WindowKeys();
    table.keys.insert(table.keys.begin(), window.begin(), window.end());
    return table;
}

KeyTable MainEntryKeys::FieldKeysOf(EntryField field) {
    switch (field) {
        case EntryField::Year:
            return dateFields_.YearKeys();
        case EntryField::Month:
            return dateFields_.MonthKeys();
        case EntryField::Day:
            return dateFields_.DayKeys();
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
            return correction_.GridKeys([this](int slot) {
                correction_.EndPick();
                form_.RepeatItem(slot);
            });
        case EntryField::Memo:
        case EntryField::Calculator:
            break;  // their editors own the keys and the legend
    }
    return {};
}

bool MainEntryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        const auto* method = static_cast<QInputMethodEvent*>(event);
        if (watched == controls_.remarkField)
            form_.completer().SetComposing(!method->preeditString().isEmpty());
        const QString commit = method->commitString();
        const bool ownInput = watched == InputOf(controls_, field_);
        if (commit.isEmpty() || !OnCommit(watched, commit))
            return false;
        // What was composed in the field goes with the commit the keys took,
        // also when they moved the focus on (an item begun from its remark).
        if (ownInput && method->preeditString().isEmpty()) {
            QInputMethodEvent none;
            QCoreApplication::sendEvent(watched, &none);
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return OnKey(watched, *static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool MainEntryKeys::OnKey(QObject* watched, const QKeyEvent& key) {
    const KeyTable keys = KeysOf(field_);
    // The window's keys act from any of its inputs; the fields are walked
    // with Enter and Esc only.
    const bool tabTaken = key.key() == Qt::Key_Tab && field_ == EntryField::Remark;
    if (watched != InputOf(controls_, field_) || (key.key() == Qt::Key_Tab && !tabTaken) ||
        key.key() == Qt::Key_Backtab) {
        KeyTable{"", WindowKeys()}.Run(key);
        return true;
    }
    return keys.Run(key) || TakeTyped(field_, static_cast<QLineEdit*>(watched), key);
}

// Number fields take from an input method what they take from keys.
bool MainEntryKeys::OnCommit(QObject* watched, const QString& text) {
    if (watched != InputOf(controls_, field_))
        return true;
    if (KeysOf(field_).RunCommitted(text))
        return true;
    return TakeCommitted(field_, static_cast<QLineEdit*>(watched), text);
}

void MainEntryKeys::ShowLegend() {
    if (field_ != EntryField::Memo && field_ != EntryField::Calculator)
        controls_.legend->setText(QString::fromUtf8(KeysOf(field_).legend));
    for (QPushButton* button : controls_.functionButtons)
        button->setEnabled(FunctionKeysAllowed());
}

void MainEntryKeys::ShowLegendHint(const QString& hint) {
    ShowLegend();
    controls_.legend->setText(controls_.legend->text() + QStringLiteral("    ") + hint);
}

void MainEntryKeys::RunSharedKey(SharedKey key, QWidget* from) {
    if (!FunctionKeysAllowed()) {
        // Here the greyed keys tell why; another window says it.
        if (from != &window_)
            screens_.RefuseUndoOrRedo(key, from);
        return;
    }
    if (screens_.UndoOrRedo(key, from)) {
        window_.ShowCurrentMonth();
        window_.RefreshGuide();
        emit window_.ledgerChanged();
    }
}

bool MainEntryKeys::FunctionKeysAllowed() const {
    switch (field_) {
        case EntryField::Year:
        case EntryField::Month:
        case EntryField::Day:
            return true;
        case EntryField::Category:
            return !correction_.active();
        default:
            return false;
    }
}

void MainEntryKeys::OnFunctionKey(FunctionScreen screen) {
    if (FunctionKeysAllowed())
        screens_.Open(screen, window_);
}

}  // namespace hanaki

#include "moc_main_entry_keys.cpp"
