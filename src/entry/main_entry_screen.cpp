#include "entry/main_entry_screen.h"

namespace hanaki {

MainEntryScreen::MainEntryScreen(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services) {
    setObjectName("Form1");
}

void MainEntryScreen::SetTitlePrefix(const QString&) {}

bool MainEntryScreen::StartUp() { return false; }

}  // namespace hanaki
