#pragma once

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSize>
#include <QWidget>

namespace hanaki::testing {

// Whether every line of the label's text is shown whole.
inline bool ShowsWhole(const QLabel& label) {
    const QRect room = label.contentsRect();
    if (label.wordWrap())
        return label.heightForWidth(room.width()) <= room.height();
    const QFontMetrics metrics(label.font());
    const QStringList lines = label.text().split(u'\n');
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > room.width())
            return false;
    }
    return metrics.lineSpacing() * lines.size() <= room.height() + metrics.leading();
}

// The shown window fits `room`, and each of its visible controls lies inside
// it with its label or button text whole.
inline void ExpectWholeWithin(const QWidget& screen, QSize room) {
    EXPECT_LE(screen.width(), room.width());
    EXPECT_LE(screen.height(), room.height());
    for (QWidget* child : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible())
            continue;
        SCOPED_TRACE(child->objectName().toStdString());
        EXPECT_TRUE(screen.rect().contains(child->geometry())) << child->metaObject()->className();
        if (auto* label = qobject_cast<QLabel*>(child)) {
            EXPECT_TRUE(ShowsWhole(*label)) << label->text().toStdString();
        }
        if (auto* button = qobject_cast<QPushButton*>(child)) {
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                      button->width());
        }
    }
}

// The size classes' smallest screens and a wide one, less a title bar's height.
struct ScreenClass {
    int width, height;
    QSize Room() const { return {width, height - 30}; }
};
// A wide screen of 720 pixels belongs to the class of 600.
inline constexpr ScreenClass kScreenClasses[] = {
    {640, 480}, {800, 600}, {1280, 720}, {1024, 768}, {1280, 1024}};

}  // namespace hanaki::testing
