#pragma once

#include <QCoreApplication>
#include <chrono>
#include <string>

#include "app/program_screens.h"
#include "data/disk/folder_lock.h"
#include "data/disk/stale_temporaries.h"
#include "data/history/history_pruning.h"
#include "data/history/history_store.h"
#include "entry/main_entry_screen.h"
#include "support/scripted_messages.h"

namespace hanaki {

// The end of the year of use the start-up benchmarks build (2026-11-30 09:00 JST).
inline constexpr std::int64_t kEndOfTheYear = 1'764'550'800 + 364 * 24 * 60 * 60;

// What the program does from taking the folder to the main window's first
// frame: the lock, the sweep, pruning the history as of `now`, the masters,
// today's month and the fixed items due. Returns how many milliseconds it took, or a negative
// number when the window did not start.
inline double StartWindow(const std::string& path, std::int64_t now, bool askDue = true) {
    const auto start = std::chrono::steady_clock::now();
    FolderLock lock(path, "hanaki");
    ProgramState program(DataFolder(path, RealFileSystem()), [] {
        return CivilDate{2026, 11, 30};
    });
    RemoveStaleTemporaryFiles(program.folder);
    KeepHistory(program.folder, [now] { return now; });
    PruneHistory(program.folder, now);
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
    ProgramScreens screens(program, services);
    MainEntryScreen screen(program, services, screens);
    if (!lock.held() || !screen.StartUp())
        return -1;
    screen.show();
    if (askDue)
        screens.StartedUp(screen);
    QCoreApplication::processEvents();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace hanaki
