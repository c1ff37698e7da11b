#include "settings/first_run.h"

#include "settings/carry_over_setting_screen.h"
#include "settings/category_editor.h"
#include "settings/closing_day_dialog.h"

namespace hanaki {

bool RunFirstRunCategoryEditor(ProgramState& state, Services& services, QWidget* parent) {
    CategoryEditor editor(state, services, parent);
    editor.exec();
    return state.folder.Exists(kCategoryFileName);
}

bool RunFirstRunClosingDay(ProgramState& state, Services& services, QWidget* parent) {
    ClosingDayDialog dialog(state, services, parent);
    dialog.exec();
    return state.folder.Exists(kSettingsFileName);
}

void RunFirstRunCarryOver(ProgramState& state, Services& services, QWidget* parent) {
    CarryOverSettingScreen screen(state, services, parent);
    screen.exec();
}

}  // namespace hanaki
