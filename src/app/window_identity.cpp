#include "app/window_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace hanaki {

void TieWindowsToLauncher(const QString& desktopId) {
    QGuiApplication::setDesktopFileName(desktopId);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(desktopId),
                     QSize(size, size));
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace hanaki
