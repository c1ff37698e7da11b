#pragma once

#include "app/program_screens.h"
#include "entry/main_entry_screen.h"
#include "support/scripted_messages.h"

namespace hanaki {

// The main window on `folder` as the program opens it, today 2026-12-07, for
// the benchmarks that type into it or step through its days.
struct MainWindowOn {
    explicit MainWindowOn(DataFolder folder)
        : program(std::move(folder), [] {
              return CivilDate{2026, 12, 7};
          }) {}

    // Starts and shows the window; false when it did not start.
    bool Show() {
        if (!screen.StartUp())
            return false;
        screen.show();
        return true;
    }

    ProgramState program;
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
    ProgramScreens screens{program, services};
    MainEntryScreen screen{program, services, screens};
};

}  // namespace hanaki
