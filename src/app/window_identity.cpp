#include "app/window_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace hanaki {

void TieWindowsToLauncher(const QString& desktopId) {
    QGuiApplication::setDesktopFileName(desktopId);
    // The sizes taskbars and window switchers draw a window's icon at, each
    // decoded at start and held while the program runs (a launcher's larger
    // ones come from the installed icon theme). Read as PNG, not first offered
    // to every image plugin, each of which would be loaded to look at it.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QImageReader png(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(desktopId),
                         "PNG");
        png.setAutoDetectImageFormat(false);
        const QImage image = png.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace hanaki
