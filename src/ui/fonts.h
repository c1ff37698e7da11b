#pragma once

#include <QFont>
#include <QString>

namespace hanaki {

// Maps the font names the screens ask for ("ＭＳ ゴシック", "ＭＳ 明朝",
// "Terminal", "Times New Roman", "Arial") to installed fonts with the same
// metrics: full-width characters take exactly two half-width cells.
// Call once after the QApplication exists, before the first screen.
void InstallFontSubstitutions();

inline constexpr const char* kGothic = "ＭＳ ゴシック";
inline constexpr const char* kMincho = "ＭＳ 明朝";
inline constexpr const char* kTerminal = "Terminal";

// A font of `family` at `pointSize` points as the layouts meant them: sized in
// pixels at 96 dots per inch (like TwipsToPixels), rounded to an even pixel
// count so that a half-width cell is a whole number of pixels. The result has
// pixelSize() set and pointSize() == -1.
QFont ScreenFont(const QString& family, double pointSize);

QFont GothicFont(double pointSize);
QFont MinchoFont(double pointSize);

}  // namespace hanaki
