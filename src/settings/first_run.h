#pragma once

#include "data/program/program_state.h"
#include "ui/services.h"

class QWidget;

// The modal steps of a first run, in the order the start-up takes them.
namespace hanaki {

// The category editor on an empty table; true when VERADIV.DAT exists afterwards.
bool RunFirstRunCategoryEditor(ProgramState& state, Services& services, QWidget* parent);
// The closing-day dialog; true when VERADIV.ENV exists afterwards.
bool RunFirstRunClosingDay(ProgramState& state, Services& services, QWidget* parent);
// The carry-over setting, shown when the settings file holds only its first line.
void RunFirstRunCarryOver(ProgramState& state, Services& services, QWidget* parent);

}  // namespace hanaki
