#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "ui/message_service.h"

namespace hanaki {
namespace {

// What the open box showed, read before `key` answers it.
struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

SeenBox AnswerWith(int key, const std::function<void()>& show) {
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        seen.text = label->text();
        seen.format = label->textFormat();
        testing::Press(box, key);
    });
    show();
    return seen;
}

TEST(MessageBoxes, AFolderNameThatLooksLikeMarkupIsShownAsTyped) {
    DialogMessageService messages;
    const QString text = QStringLiteral("データフォルダ /home/a/<b>まちかど</b> がありません。");
    SeenBox seen = AnswerWith(Qt::Key_Return, [&] {
        messages.Inform(nullptr, QStringLiteral("データフォルダがありません"), text);
    });
    EXPECT_EQ(seen.title, QStringLiteral("データフォルダがありません"));
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);

    seen = AnswerWith(Qt::Key_Escape,
                      [&] { EXPECT_FALSE(messages.Confirm(nullptr, QString(), text)); });
    EXPECT_EQ(seen.format, Qt::PlainText);
}

}  // namespace
}  // namespace hanaki
