#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>

#include "support/qt_printers.h"
#include "ui/fonts.h"

namespace hanaki {
namespace {

class Fonts : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallFontSubstitutions(); }
};

TEST_F(Fonts, WindowsNamesResolveToInstalledLookAlikes) {
    const std::pair<const char*, const char*> cases[] = {
        {kGothic, "IPAGothic"},       {kMincho, "IPAMincho"},
        {kTerminal, "IPAGothic"},     {"Times New Roman", "Liberation Serif"},
        {"Arial", "Liberation Sans"},
    };
    for (const auto& [asked, installed] : cases)
        EXPECT_EQ(QFontInfo(ScreenFont(QString::fromUtf8(asked), 12)).family(), installed) << asked;
}

TEST_F(Fonts, FullWidthTextTakesExactlyTwoHalfWidthCells) {
    // 9 and 12 points are the two layouts; the others are scaled and small sizes.
    for (double points : {6.0, 8.25, 9.0, 10.5, 11.0, 12.0, 14.25}) {
        const QFontMetrics metrics(GothicFont(points));
        const int cell = metrics.horizontalAdvance(QLatin1Char('a'));
        ASSERT_GT(cell, 0);
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("あ")), 2 * cell) << points;
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("食費 1,980円 ｶﾞｽ")), 16 * cell)
            << points;
    }
}

TEST_F(Fonts, GothicAndMinchoDrawCodePage932TextThemselves) {
    const QString sample = QStringLiteral("a1¥\\あア亜家計簿①㈱Ⅰ～－ｱ");
    for (const QFont& font : {GothicFont(12), MinchoFont(12)}) {
        const QRawFont raw = QRawFont::fromFont(font);
        for (char32_t c : sample.toUcs4())
            EXPECT_TRUE(raw.supportsCharacter(c))
                << raw.familyName().toStdString() << " U+" << std::hex << static_cast<unsigned>(c);
    }
}

}  // namespace
}  // namespace hanaki
