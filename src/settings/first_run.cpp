#include "settings/first_run.h"

namespace hanaki {

bool RunFirstRunCategoryEditor(ProgramState& state, Services&, QWidget*) {
    return state.folder.Exists(kCategoryFileName);
}

bool RunFirstRunClosingDay(ProgramState& state, Services&, QWidget*) {
    return state.folder.Exists(kSettingsFileName);
}

void RunFirstRunCarryOver(ProgramState&, Services&, QWidget*) {}

}  // namespace hanaki
