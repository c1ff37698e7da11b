#pragma once

#include <QWidget>

#include "data/program_state.h"
#include "ui/services.h"

namespace hanaki {

// The settings menu (F7): closing day, carry-over and category/budget editors.
class SettingsMenu : public QWidget {
    Q_OBJECT
public:
    SettingsMenu(ProgramState& state, Services& services, QWidget* parent = nullptr);

private:
    ProgramState& state_;
    Services& services_;
};

}  // namespace hanaki
