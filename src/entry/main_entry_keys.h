#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "data/program/program_state.h"
#include "entry/entry_field.h"
#include "entry/entry_screens.h"
#include "entry/main_entry_controls.h"
#include "ui/key_table.h"
#include "ui/sub_screen.h"

class QKeyEvent;
class QLineEdit;

namespace hanaki {

class DateFields;
class EntryForm;
class ItemCorrection;
class MainEntryScreen;
class MonthView;

// The main window's keys: which input has them (the focus state), the key
// table of each state with the legend it shows, what the entry fields take
// typed, and the rule for F5 … F9. The date fields' tables are DateFields' and
// the grid's ItemCorrection's; the memo and the calculator own their keys.
class MainEntryKeys : public QObject, public KeysInForce {
    Q_OBJECT
  public:
    // What the category field's keys ask of the window.
    struct Link {
        std::function<void()> placeTodayAgain;
        std::function<void()> goToDayField;
        std::function<void()> openMemo;
        std::function<bool()> confirmExit;
    };

    MainEntryKeys(const ProgramState& state, const MainEntryControls& controls,
                  DateFields& dateFields, EntryForm& form, ItemCorrection& correction,
                  const MonthView& month, EntryScreens& screens, MainEntryScreen& window,
                  Link link);
    KeyTable KeysNow() override;

    EntryField field() const { return field_; }
    // Gives the keys to `field`, with its legend and guide.
    void Focus(EntryField field);
    // The memo or the calculator has the keys; they show their own legend.
    void GiveToEditor(EntryField editor);
    void ShowLegend();
    void ShowLegendHint(const QString& hint);
    // F5 … F9 open another screen only while no item is under way: in the date
    // fields, and in the category field unless an item is being corrected.
    bool FunctionKeysAllowed() const;
    // Ctrl+Z or Ctrl+Y, pressed in `from` (this window or another of the
    // program's), under the F-keys' rule.
    void RunSharedKey(SharedKey key, QWidget* from);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The table of `field`: its own keys after the window's.
    KeyTable KeysOf(EntryField field);
    KeyTable FieldKeysOf(EntryField field);
    std::vector<KeyBinding> WindowKeys();
    KeyTable CategoryKeys();
    KeyTable DescriptionKeys();
    KeyTable AmountKeys(QLineEdit* field);
    KeyTable RemarkKeys();
    bool OnKey(QObject* watched, const QKeyEvent& key);
    bool OnCommit(QObject* watched, const QString& text);
    // What the entry fields take typed or committed beyond their tables;
    // true: the key or text is used up (or refused).
    bool TakeTyped(EntryField state, QLineEdit* field, const QKeyEvent& key);
    bool TakeCommitted(EntryField state, QLineEdit* field, const QString& text);
    bool RefuseAmount(QLineEdit* field, const QString& text);
    // A digit taken in a number field: typed in, and with the one-digit option
    // on, the number taken at once when no longer one starts with it.
    bool TypeNumber(EntryField state, QLineEdit* field, const QString& text);
    void MoveOnAfterOneDigit(EntryField state, QLineEdit* field);
    // PageUp, PageDown in the category field: the day steps as in the day field.
    void StepDay(bool forward);
    void OnGridClicked(int row);
    void OnFunctionKey(FunctionScreen screen);

    const ProgramState& state_;
    const MainEntryControls& controls_;
    DateFields& dateFields_;
    EntryForm& form_;
    ItemCorrection& correction_;
    const MonthView& month_;
    EntryScreens& screens_;
    MainEntryScreen& window_;
    Link link_;
    EntryField field_ = EntryField::Day;
};

}  // namespace hanaki
