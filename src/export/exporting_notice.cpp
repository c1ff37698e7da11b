#include "export/exporting_notice.h"

#include <QPainter>

#include "ui/fonts.h"
#include "ui/screen_metrics.h"
#include "ui/sub_screen.h"

namespace hanaki {

ExportingNotice::ExportingNotice(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form5");
    setWindowTitle(QStringLiteral("Now Converting!"));
    setFixedSize(TwipsToPixels(5250), TwipsToPixels(1600));
}

void ExportingNotice::ShowNow() {
    ShowDrawnNow(this);
}

void ExportingNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(GothicFont(11));
    const int margin = TwipsToPixels(500);
    painter.drawText(rect().adjusted(margin, margin, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("コンバート中です。しばらくお待ちください。"));
}

}  // namespace hanaki
