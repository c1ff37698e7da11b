#include "ui/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace hanaki {

int ScreenMetrics::height() const {
    if (forcedHeight_ > 0)
        return forcedHeight_;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().height();
    return 768;  // no screen at all: the normal layout
}

int TwipsToPixels(int twips) {
    constexpr double kTwipsPerPixel = 1440.0 / 96.0;
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace hanaki
