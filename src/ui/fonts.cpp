#include "ui/fonts.h"

#include <algorithm>
#include <cmath>

namespace hanaki {

void InstallFontSubstitutions() {
    // fontconfig knows none of the Windows names, and its own fallback for an
    // unknown family (DejaVu) has Latin widths that break the cell grid.
    const QString gothic = QStringLiteral("IPAGothic");
    QFont::insertSubstitution(QString::fromUtf8(kGothic), gothic);
    QFont::insertSubstitution(QString::fromUtf8(kMincho), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QString::fromUtf8(kTerminal), gothic);
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

QFont ScreenFont(const QString& family, double pointSize) {
    QFont font(family);
    const double pixels = pointSize * 96.0 / 72.0;
    font.setPixelSize(std::max(2, static_cast<int>(std::lround(pixels / 2.0)) * 2));
    // Hinted advances are rounded glyph by glyph; the design advances of the
    // IPA fonts are exact halves and wholes of the em.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setKerning(false);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont GothicFont(double pointSize) {
    return ScreenFont(QString::fromUtf8(kGothic), pointSize);
}

QFont MinchoFont(double pointSize) {
    return ScreenFont(QString::fromUtf8(kMincho), pointSize);
}

}  // namespace hanaki
