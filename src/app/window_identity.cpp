#include "app/window_identity.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>

namespace hanaki {

void TieWindowsToLauncher(const QString& desktopId) {
    QGuiApplication::setDesktopFileName(desktopId);
    // The sizes taskbars and window switchers draw a window's icon at: each
    // is decoded at start and held while the program runs. A launcher's larger
    // ones come from the installed icon theme.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        const QString file = QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(desktopId);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace hanaki
