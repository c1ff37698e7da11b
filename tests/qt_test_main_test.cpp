#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QPushButton>

#include "ui/fonts.h"

namespace hanaki {
namespace {

// The shared test main, not the test, sets up the application as the programs
// do: a machine with more fonts than the IPA ones (DejaVu on any desktop) must
// not change what a screen measures, nor Qt's buttons their Japanese texts.
TEST(QtTestMain, ScreensSeeTheProgramsFontsAndButtonTexts) {
    EXPECT_EQ(QFontInfo(GothicFont(12)).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(MinchoFont(12)).family(), "IPAMincho");
    EXPECT_EQ(QFontInfo(ScreenFont(QString::fromUtf8(kTerminal), 9)).family(), "IPAGothic");
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "キャンセル");
}

}  // namespace
}  // namespace hanaki
