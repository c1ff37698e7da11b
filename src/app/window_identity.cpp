#include "app/window_identity.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>

namespace hanaki {

void TieWindowsToLauncher(const QString& desktopId) {
    QGuiApplication::setDesktopFileName(desktopId);
    // Every size the program carries, so that each place a desktop shows it gets a sharp one.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {desktopId + QStringLiteral(".png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace hanaki
