#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include <QWidget>

#include "data/aggregation.h"
#include "data/day_view.h"
#include "data/ledger.h"
#include "data/program_state.h"
#include "entry/correction.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hanaki {

class ByteLimitedField;
class DayGrid;
class EntryCalculator;
class MemoEditor;

// The home window: one day of the current accounting month, its items and the
// month's totals, and the fields to enter an item.
//
// The class is spread over four files: main_entry_screen.cpp (layout,
// start-up, day view), main_entry_keys.cpp (the key tables), entry_flow.cpp
// (the entry fields, storing and the new-month carry-over) and
// correction_flow.cpp (picking, correcting and deleting an item). The day
// grid (day_grid.h) and the item being corrected (correction.h) are their
// own small types; the sums come from src/data.
class MainEntryScreen : public QWidget {
    Q_OBJECT
  public:
    MainEntryScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);
    ~MainEntryScreen() override;

    // The rest of a first argument "/T…": the title becomes prefix, ten blanks,
    // "( ", the standard title and " )".
    void SetTitlePrefix(const QString& prefix);

    // Loads the master and the settings (running the first-run steps when they
    // are missing), places today and shows the day. False: the program ends.
    bool StartUp();

    // Reloads the month of state.date (another screen changed its year and
    // month) and shows its date, the day and the month's totals.
    void ShowCurrentMonth();
    // Opens ledger slot `slot` of the open month for correction, as picking
    // its row in the day grid and pressing Enter does: its day is shown, its
    // row picked and the fields filled. A slot that holds no item is ignored.
    void OpenForCorrection(int slot);

  signals:
    // An item of the open month was stored or deleted, and its file written.
    void ledgerChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Which input field has the focus; only this screen moves the focus.
    enum class Field {
        Year,
        Month,
        Day,
        Category,
        Description,
        Income,
        Expense,
        Remark,
        Grid,
        Memo,
        Calculator
    };

    // main_entry_screen.cpp: controls and layout
    void BuildControls();
    void PlaceControls();
    void Place(QWidget* widget, int x, int y, int width, int height);
    int Scaled(int designPixels) const;
    QLabel* NewLabel(const char* objectName, const QString& text = {});
    ByteLimitedField* NewField(const char* objectName, int byteLimit);

    // main_entry_screen.cpp: start-up and the day view
    bool RefuseMissingInReadOnlyFolder(const QString& file);
    bool LoadCategoryMaster();
    bool LoadSettingsFile();
    void ShowCurrentDate();
    void ReloadMonth();
    void ShowDay();
    void ShowMonthTotals();
    // Before another screen moves the day: the memo and the calculator close.
    void CloseEditors();
    void ShowLastEntryDate();
    void ReportIoError(const IoError& error);

    // main_entry_keys.cpp: one handler per focus state
    bool OnYearKey(const QKeyEvent& key);
    bool OnMonthKey(const QKeyEvent& key);
    bool OnDayKey(const QKeyEvent& key);
    bool OnCategoryKey(const QKeyEvent& key);
    bool OnDescriptionKey(const QKeyEvent& key);
    bool OnAmountKey(QLineEdit* field, const QKeyEvent& key);
    bool OnRemarkKey(const QKeyEvent& key);
    bool OnGridKey(const QKeyEvent& key);
    bool TakeNumberCharacter(QLineEdit* field, const QKeyEvent& key);
    bool TakeAmountCharacter(QLineEdit* field, const QKeyEvent& key);
    // Typed keys and input-method commits alike; true: the text is refused.
    bool RefuseNumberText(QLineEdit* field, const QString& text);
    bool RefuseAmountText(QLineEdit* field, const QString& text);
    void OnFunctionKey(int index);
    void FocusField(Field field);
    QWidget* WidgetOf(Field field) const;
    void ShowLegend();
    void ShowLegendHint(const QString& hint);
    bool ConfirmExit();
    void ChangeDate(bool monthChanged);
    // Steps the calendar to `date` unless it leaves the 1950 … 2049 window.
    void MoveTo(const CurrentDate& date, bool monthChanged);

    // entry_flow.cpp: the entry fields and what they store
    void EnterCategoryField();
    void EnterDescriptionField();
    // Shows the guide of the field that has the focus again (after the master changed).
    void RefreshGuide();
    void AcceptCategory();
    void AcceptDescription();
    void AcceptAmount(QLineEdit* field);
    void LeaveAmount(QLineEdit* field);
    void StoreItemFromFields();
    void ShowBudget(int category);
    void ApplyTax(bool add);
    void OpenCalculator(QLineEdit* field);
    void OpenMemo();
    void OnMemoClosed();
    void ClearInputFields();
    void GoToDayField();
    void PlaceTodayAgain();
    bool MayAddItem();
    bool SaveChange(const MonthLedger& before);
    void CheckNewMonth();
    LedgerRecord RecordFromEntry(const std::string& remark) const;
    QLineEdit* AmountFieldOfCategory() const;
    // After a category was chosen: the amount stays only in the field of its kind.
    void MoveAmountToFieldOfCategory();
    // F5 … F8 open another screen only while no item is under way: in the date
    // fields, and in the category field unless an item is being corrected.
    bool FunctionKeysAllowed() const;
    void ShowFunctionKeys();
    void SetInputTitle(bool correction);
    void OpenSubScreen(int index);

    // correction_flow.cpp: picking an item of the day and correcting or deleting it
    void StartPick(int row);
    void MovePick(int row);
    void EndPick();
    void BeginCorrection(int row);
    void EndCorrection();
    void DeleteCorrectedItem();
    bool correcting() const { return correction_.has_value(); }

    ProgramState& state_;
    Services& services_;

    double scale_ = 1.0;
    double fontPoints_ = 12;
    int screenWidth_ = 1024;  // the narrowest screen of this size class

    QLabel* dateHeading_;                          // Label11
    QLabel* dateCaption_;                          // Label5
    QLineEdit* yearField_;                         // Text6
    QLineEdit* monthField_;                        // Text7
    QLineEdit* dayField_;                          // Text8
    DayGrid* grid_;                                // MSFlexGrid1
    QLabel* lastEntryDate_;                        // Label9
    QLabel* monthCaption_;                         // Label8
    QLabel* incomeTotal_;                          // Label2
    QLabel* expenseTotal_;                         // Label3
    QLabel* balanceTotal_;                         // Label4
    QLabel* inputTitle_;                           // Label6
    QLineEdit* rowNumberField_;                    // Text9
    ByteLimitedField* categoryField_;              // Text1
    ByteLimitedField* descriptionField_;           // Text2
    ByteLimitedField* incomeField_;                // Text4
    ByteLimitedField* expenseField_;               // Text5
    ByteLimitedField* remarkField_;                // Text3
    QLabel* guide_;                                // Label1
    QLabel* categoryTotal_;                        // Label12
    QLabel* budget_;                               // Label13
    QLabel* legend_;                               // Label7
    QLineEdit* calculatorField_;                   // Text10
    std::array<ByteLimitedField*, 3> memoLines_;   // Text11 … Text13
    QLabel* memoTitle_;                            // Label10
    std::array<QPushButton*, 4> functionButtons_;  // Command1 … Command4
    std::array<QLabel*, 6> fieldCaptions_;

    std::unique_ptr<EntryCalculator> calculator_;
    std::unique_ptr<MemoEditor> memo_;
    QPointer<QWidget> monthlyTable_;
    QPointer<QWidget> settingsMenu_;
    QPointer<QWidget> csvExport_;

    Field field_ = Field::Day;
    DayView day_;              // the displayed day's items and the insertion point
    MonthTotals monthTotals_;  // of the open month, as 月計 shows them
    int currentCategory_ = 0;
    int currentDescription_ = 0;
    std::string amountText_;  // "+" or "-", then the amount field's text
    std::optional<Correction> correction_;
    // The month's file could not be read: nothing may be written over it.
    bool monthUnreadable_ = false;
    int warnedMonth_ = 0;  // year * 100 + month last warned about unreadable records
};

}  // namespace hanaki
