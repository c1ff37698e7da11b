#include "ui/work_notice.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/fonts.h"
#include "ui/screen_metrics.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

QString NoticeText() {
    return QStringLiteral("コンバート中です。しばらくお待ちください。");
}

}  // namespace

WorkNotice::WorkNotice(const NoticeLook& look, QWidget* opener)
    : QWidget(opener, Qt::Dialog),
      textAt_(TwipsToPixels(look.textAt.x()), TwipsToPixels(look.textAt.y())) {
    setObjectName(look.objectName);
    setWindowTitle(look.title);
    setFont(GothicFont(11));
    const QFontMetrics metrics(font());
    if (look.size.isEmpty())
        setFixedSize(2 * textAt_.x() + metrics.horizontalAdvance(NoticeText()),
                     2 * textAt_.y() + metrics.height());
    else
        setFixedSize(TwipsToPixels(look.size.width()), TwipsToPixels(look.size.height()));
}

void WorkNotice::ShowNow() {
    if (QWidget* opener = parentWidget())
        move(opener->mapToGlobal(opener->rect().center()) - rect().center());
    ShowDrawnNow(this);
}

void WorkNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.drawText(textAt_.x(), textAt_.y() + QFontMetrics(font()).ascent(), NoticeText());
}

}  // namespace hanaki

#include "moc_work_notice.cpp"
