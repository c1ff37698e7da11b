#include "settings/settings_menu.h"

namespace hanaki {

SettingsMenu::SettingsMenu(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services) {
    setObjectName("Form7");
}

}  // namespace hanaki
