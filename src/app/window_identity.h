#pragma once

#include <QString>

namespace hanaki {

// Ties the program's windows to its launcher `desktopId` (the .desktop file's
// name without ".desktop"): the name a Wayland compositor matches windows by,
// and the launcher's icon, carried in the program so that an uninstalled
// build shows it too.
void TieWindowsToLauncher(const QString& desktopId);

}  // namespace hanaki
