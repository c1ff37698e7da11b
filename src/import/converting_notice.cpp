#include "import/converting_notice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QWindow>

#include "ui/fonts.h"
#include "ui/screen_metrics.h"

namespace hanaki {
namespace {

const char* const kNotice = "コンバート中です。しばらくお待ちください。";

}  // namespace

ConvertingNotice::ConvertingNotice(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("コンバート中・・・しばらくお待ちください。"));
    setFont(GothicFont(11));
    const int margin = TwipsToPixels(500);
    const int textWidth = QFontMetrics(font()).horizontalAdvance(QString::fromUtf8(kNotice));
    setFixedSize(2 * margin + textWidth, TwipsToPixels(550) * 2 + QFontMetrics(font()).height());
}

void ConvertingNotice::ShowNow() {
    if (QWidget* opener = parentWidget())
        move(opener->mapToGlobal(opener->rect().center()) - rect().center());
    show();
    // The window system maps the window asynchronously; drawing before that shows nothing.
    QElapsedTimer waited;
    waited.start();
    while (!windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ConvertingNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int top = TwipsToPixels(550) + QFontMetrics(font()).ascent();
    painter.drawText(TwipsToPixels(500), top, QString::fromUtf8(kNotice));
}

}  // namespace hanaki
