#pragma once

#include <QString>
#include <array>

#include "entry/entry_field.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace hanaki {

class ByteLimitedField;
class DayGrid;
class ScreenMetrics;

// The controls of the main window, by their role; each carries its control
// name as objectName. They are children of the window and take no focus of
// their own: only the window's key tables move it.
struct MainEntryControls {
    QLabel* dateHeading;                          // Label11
    QLabel* dateCaption;                          // Label5
    QLineEdit* yearField;                         // Text6
    QLineEdit* monthField;                        // Text7
    QLineEdit* dayField;                          // Text8
    DayGrid* grid;                                // MSFlexGrid1
    QLabel* lastEntryDate;                        // Label9
    QLabel* monthCaption;                         // Label8
    QLabel* incomeTotal;                          // Label2
    QLabel* expenseTotal;                         // Label3
    QLabel* balanceTotal;                         // Label4
    QLabel* inputTitle;                           // Label6
    QLineEdit* rowNumberField;                    // Text9
    ByteLimitedField* categoryField;              // Text1
    ByteLimitedField* descriptionField;           // Text2
    ByteLimitedField* incomeField;                // Text4
    ByteLimitedField* expenseField;               // Text5
    ByteLimitedField* remarkField;                // Text3
    QLabel* guide;                                // Label1
    QLabel* categoryTotal;                        // Label12
    QLabel* budget;                               // Label13
    QLabel* legend;                               // Label7
    QLineEdit* calculatorField;                   // Text10
    std::array<ByteLimitedField*, 3> memoLines;   // Text11 … Text13
    QLabel* memoTitle;                            // Label10
    std::array<QPushButton*, 5> functionButtons;  // Command1 … Command5: F5 … F9
    std::array<QLabel*, 6> fieldCaptions;
};

// Makes the controls in `window` at the font of the screen's size class.
MainEntryControls BuildMainEntryControls(QWidget* window, const ScreenMetrics& metrics);

// Places the controls for the screen's size class and gives the window its size.
void PlaceMainEntryControls(QWidget* window, const MainEntryControls& controls,
                            const ScreenMetrics& metrics);

// The control that takes the keys of `field`; none for the memo and the
// calculator, whose editors focus their own fields.
QWidget* InputOf(const MainEntryControls& controls, EntryField field);

}  // namespace hanaki
