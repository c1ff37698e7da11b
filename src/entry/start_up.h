#pragma once

#include "data/program/program_state.h"
#include "ui/services.h"

class QWidget;

namespace hanaki {

class EntryScreens;

// Loads the category master and the settings into `state`, running the
// first-run dialogs for the files a new folder lacks. False: the program ends
// (a message has said why).
bool LoadMasterAndSettings(ProgramState& state, Services& services, EntryScreens& screens,
                           QWidget* window);

}  // namespace hanaki
