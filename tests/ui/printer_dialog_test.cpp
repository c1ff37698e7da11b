#include "ui/printer_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include "support/scripted_messages.h"

namespace hanaki {
namespace {

bool PrintSupportLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6PrintSupport");
}

// Qt's print support is loaded with the printer dialog, at the first print,
// and a program whose print module is missing says so rather than print nothing.
TEST(PrinterDialog, qtsPrintSupportIsLoadedAtTheFirstPrint) {
    testing::ScriptedMessages messages;
    EXPECT_FALSE(PrintSupportLoaded());
    QtPrinterDialog missing(RealFileSystem(), messages, {QStringLiteral("/nonexistent/print.so")});
    EXPECT_EQ(missing.Choose(nullptr, QStringLiteral("202611月度")), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "印刷");
    EXPECT_TRUE(messages.shown[0].text.contains("読み込めないため、印刷できません"));
    EXPECT_FALSE(PrintSupportLoaded());

    QtPrinterDialog dialog(
        RealFileSystem(), messages,
        {QStringLiteral("/nonexistent/print.so"), QStringLiteral(HANAKI_PRINT_MODULE)});
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->inherits("QPrintDialog")) {
            shown = modal->windowTitle();
            QMetaObject::invokeMethod(modal, "reject");
        }
    });
    EXPECT_EQ(dialog.Choose(nullptr, QStringLiteral("202611月度")), nullptr);
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(PrintSupportLoaded());
}

}  // namespace
}  // namespace hanaki
