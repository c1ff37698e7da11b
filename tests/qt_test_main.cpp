#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/shard_run.h"
#include "ui/fonts.h"
#include "ui/translations.h"

// One QApplication for every test binary, set up as both programs set theirs up
// (the fonts that stand in for the screens' typefaces, Qt's own Japanese texts),
// so that a layout measures the same on any machine, whatever else its fonts hold.
// Screens run on the offscreen platform unless the caller chose another (test
// discovery runs without ctest's environment).
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    hanaki::InstallJapaneseTranslations(app);
    hanaki::InstallFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return hanaki::RunTestsOfThisShard();
}
