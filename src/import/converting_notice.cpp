#include "import/converting_notice.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/fonts.h"
#include "ui/screen_metrics.h"
#include "ui/sub_screen.h"

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
    ShowDrawnNow(this);
}

void ConvertingNotice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int top = TwipsToPixels(550) + QFontMetrics(font()).ascent();
    painter.drawText(TwipsToPixels(500), top, QString::fromUtf8(kNotice));
}

}  // namespace hanaki
