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

ScreenSizeClass ScreenMetrics::sizeClass() const {
    const int pixels = height();
    return pixels < 600   ? ScreenSizeClass::Small
           : pixels < 768 ? ScreenSizeClass::Middle
                          : ScreenSizeClass::Full;
}

QSize WindowTwips(ScreenSizeClass sizeClass) {
    constexpr int kTwips[3][2] = {{9600, 7200}, {12000, 9000}, {14200, 10650}};
    const int* twips = kTwips[static_cast<int>(sizeClass)];
    return {twips[0], twips[1]};
}

int SmallestScreenHeight(ScreenSizeClass sizeClass) {
    constexpr int kPixels[3] = {480, 600, 768};
    return kPixels[static_cast<int>(sizeClass)];
}

int TwipsToPixels(int twips) {
    constexpr double kTwipsPerPixel = 1440.0 / 96.0;
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace hanaki
