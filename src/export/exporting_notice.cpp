#include "export/exporting_notice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QWindow>

#include "ui/fonts.h"
#include "ui/screen_metrics.h"

namespace hanaki {

ExportingNotice::ExportingNotice(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form5");
    setWindowTitle(QStringLiteral("Now Converting!"));
    setFixedSize(TwipsToPixels(5250), TwipsToPixels(1600));
}

void ExportingNotice::ShowNow() {
    show();
    // The window system maps the window asynchronously; drawing before that shows nothing.
    QElapsedTimer waited;
    waited.start();
    while (!windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ExportingNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(GothicFont(11));
    const int margin = TwipsToPixels(500);
    painter.drawText(rect().adjusted(margin, margin, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("コンバート中です。しばらくお待ちください。"));
}

}  // namespace hanaki
