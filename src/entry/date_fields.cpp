#include "entry/date_fields.h"

#include <QLabel>
#include <QLineEdit>

namespace hanaki {
namespace {}  // namespace

DateFields::DateFields(ProgramState& state, const MainEntryControls& controls, Link link)
    : state_(state), controls_(controls), link_(std::move(link)) {}

void DateFields::Show() {
    const CivilDate real = RealDate(state_.closingDay(), state_.date);
    controls_.dateHeading->setText(
        QString::fromStdString(DateHeading(state_.date, state_.today())));
    controls_.yearField->setText(QString::number(real.year));
    controls_.monthField->setText(QString::number(real.month));
    controls_.dayField->setText(QString::number(real.day));
}

void DateFields::MoveTo(const CurrentDate& date, bool monthChanged) {
    if (date.year < kEarliestYear || date.year > kLatestYear)
        return;
    state_.date = date;
    link_.dateChanged(monthChanged);
}

void DateFields::ShowFirstDay() {
    state_.date.day = 1;
    link_.dateChanged(true);
}

KeyTable DateFields::YearKeys() {
    auto step = [this](int delta) {
        if (StepYear(state_.date, delta))
            link_.dateChanged(true);
    };
    return {" <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ",
            {{{Qt::Key_Escape},
              "<ESC>終了",
              [this] {
                  if (!link_.confirmExit())
                      ShowFirstDay();
              }},
             {{Qt::Key_PageUp}, "<PageUp>前年", [step] { step(-1); }},
             {{Qt::Key_PageDown}, "<PageDown>翌年", [step] { step(1); }},
             {kEnterKeys, "<Enter>月へ", [this] {
                  link_.focus(EntryField::Month);
                  ShowFirstDay();
              }}}};
}

KeyTable DateFields::MonthKeys() {
    auto step = [this](int delta) {
        CurrentDate next = state_.date;
        StepMonth(next, delta);
        MoveTo(next, true);
    };
    return {" <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>日へ",
            {{{Qt::Key_Escape}, "<ESC>年へ", [this] { link_.focus(EntryField::Year); }},
             {{Qt::Key_PageUp}, "<PageUp>前月", [step] { step(-1); }},
             {{Qt::Key_PageDown}, "<PageDown>翌月", [step] { step(1); }},
             {kEnterKeys, "<Enter>日へ", [this] {
                  link_.focus(EntryField::Day);
                  ShowFirstDay();
              }}}};
}

void DateFields::StepDay(bool forward) {
    CurrentDate next = state_.date;
    const bool monthChanged = forward ? StepNextDay(state_.closingDay(), next)
                                      : StepPreviousDay(state_.closingDay(), next);
    MoveTo(next, monthChanged);
}

KeyTable DateFields::DayKeys() {
    auto step = [this](bool forward) { StepDay(forward); };
    return {" <ESC>月へ    <PageUp>前日    <PageDown>翌日    <Enter>入力欄へ",
            {{{Qt::Key_Escape}, "<ESC>月へ", [this] { link_.focus(EntryField::Month); }},
             {{Qt::Key_PageUp}, "<PageUp>前日", [step] { step(false); }},
             {{Qt::Key_PageDown}, "<PageDown>翌日", [step] { step(true); }},
             {kEnterKeys, "<Enter>入力欄へ", [this] { link_.enterItems(); }}}};
}

}  // namespace hanaki
