#pragma once

// Screen-size classes, twips and the program's fonts.
class QFont;
class QWidget;

namespace hanaki {

// Height of the screen in pixels, as the screens size themselves by it. A test
// (or --screen-height) sets it; 0 asks the primary screen.
class ScreenMetrics {
  public:
    explicit ScreenMetrics(int forcedHeight = 0) : forcedHeight_(forcedHeight) {}
    int height() const;
    bool below600() const { return height() < 600; }
    bool below768() const { return height() < 768; }

  private:
    int forcedHeight_;
};

// 1/1440 inch at the 96 dots per inch the layouts were designed for.
int TwipsToPixels(int twips);

}  // namespace hanaki
