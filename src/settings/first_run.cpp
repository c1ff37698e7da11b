#include "settings/first_run.h"

#include "settings/carry_over_setting_screen.h"
#include "settings/category_editor.h"
#include "settings/closing_day_dialog.h"
#include "ui/sub_screen.h"

namespace hanaki {

bool RunFirstRunCategoryEditor(ProgramState& state, Services& services, QWidget* parent) {
    CategoryEditor editor(state, services, parent);
    ShowFocusFrames(&editor);
    editor.exec();
    return state.folder.Exists(kCategoryFileName);
}

bool RunFirstRunClosingDay(ProgramState& state, Services& services, QWidget* parent) {
    ClosingDayDialog dialog(state, services, parent);
    ShowFocusFrames(&dialog);
    dialog.exec();
    return state.folder.Exists(kSettingsFileName);
}

void RunFirstRunCarryOver(ProgramState& state, Services& services, QWidget* parent) {
    CarryOverSettingScreen screen(state, services, parent);
    ShowFocusFrames(&screen);
    screen.exec();
}

}  // namespace hanaki
