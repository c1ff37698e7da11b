#include "ui/translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTranslator>

namespace hanaki {
namespace {

bool Mapped(const char* fileName) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(fileName);
}

// The main window shows none of Qt's own texts: their file is read when a
// message box or the print dialog first asks for one.
TEST(Translations, qtsOwnTextsAreReadWhenFirstAskedFor) {
    if (!InstallJapaneseTranslations(*qApp))
        GTEST_SKIP() << "Qt's Japanese texts are not installed";
    // The test command runs each test in a process of its own; a whole run of
    // the binary may have had an earlier test ask for Qt's texts already.
    if (Mapped("qtbase_ja.qm"))
        GTEST_SKIP() << "an earlier test of this process read Qt's texts";
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "キャンセル");
    EXPECT_TRUE(Mapped("qtbase_ja.qm"));
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace
}  // namespace hanaki
