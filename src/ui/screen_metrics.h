#pragma once

#include <QSize>

// Screen-size classes, twips and the program's fonts.
class QFont;
class QWidget;

namespace hanaki {

// The three layouts a screen has: below 600 pixels of screen height, below
// 768, and full size.
enum class ScreenSizeClass { Small = 0, Middle = 1, Full = 2 };

// Height of the screen in pixels, as the screens size themselves by it. A test
// (or --screen-height) sets it; 0 asks the primary screen.
class ScreenMetrics {
  public:
    explicit ScreenMetrics(int forcedHeight = 0) : forcedHeight_(forcedHeight) {}
    int height() const;
    ScreenSizeClass sizeClass() const;
    bool below600() const { return sizeClass() == ScreenSizeClass::Small; }
    bool below768() const { return sizeClass() != ScreenSizeClass::Full; }

  private:
    int forcedHeight_;
};

// The window of the summary, graph and monthly-table screens in twips.
QSize WindowTwips(ScreenSizeClass sizeClass);
// The height of the smallest screen of the class: 480, 600 or 768 pixels.
int SmallestScreenHeight(ScreenSizeClass sizeClass);
// Room for a window manager's title bar above a window.
constexpr int kTitleBarAllowance = 30;

// 1/1440 inch at the 96 dots per inch the layouts were designed for.
int TwipsToPixels(int twips);

}  // namespace hanaki
