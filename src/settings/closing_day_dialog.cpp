#include "settings/closing_day_dialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/screen_metrics.h"

namespace hanaki {
namespace {

const QString kClosingDayTitle = QStringLiteral("月度設定");
// The second line of the explanation, to measure it.
const QString kNotes = QStringLiteral("(月末は31として下さい)          (29,30日は設定できません)");

}  // namespace

ClosingDayDialog::ClosingDayDialog(ProgramState& state, Services& services, QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setObjectName("Form9");
    setWindowTitle(kClosingDayTitle);
    const double points = services_.metrics.below600() ? 9 : 12;

    title_ = new QLabel(QStringLiteral("   月度締め日の設定をします。"), this);
    title_->setObjectName("Label1");
    explanation_ = new QLabel(
        QStringLiteral(" 毎月      　日を締め日とする。                                      "
                       "           (月末は31として下さい)          (29,30日は設定できません)  "
                       "           "),
        this);
    explanation_->setObjectName("Label2");
    explanation_->setWordWrap(true);
    explanation_->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // line 1 level with the field
    dayField_ = new QLineEdit(QString::number(closingDay_), this);
    dayField_->setObjectName("Text1");
    dayField_->setReadOnly(true);  // chosen by PageUp/PageDown only
    dayField_->setAlignment(Qt::AlignRight);
    legend_ = new QLabel(QString::fromUtf8(KeysNow().legend), this);
    legend_->setObjectName("Label3");
    for (QWidget* widget :
         std::initializer_list<QWidget*>{title_, explanation_, dayField_, legend_})
        widget->setFont(GothicFont(points));

    // Placed by the type's measures, so that every type size keeps the field
    // on the blanks between 毎月 and 日, and the explanation as wide as its
    // notes: it wraps before them and never inside them.
    const QFontMetrics metrics(explanation_->font());
    const int left = TwipsToPixels(240);
    const int top = TwipsToPixels(840);
    title_->setGeometry(left, TwipsToPixels(240), TwipsToPixels(6000), TwipsToPixels(360));
    explanation_->setGeometry(left, top, metrics.horizontalAdvance(kNotes) + 4,
                              metrics.lineSpacing() * 4);
    dayField_->setGeometry(left + metrics.horizontalAdvance(QStringLiteral(" 毎月")), top - 1,
                           metrics.horizontalAdvance(QStringLiteral("      　")),
                           metrics.lineSpacing() + 2);
    legend_->setGeometry(
        TwipsToPixels(120), TwipsToPixels(2280),
        std::max(TwipsToPixels(8400), metrics.horizontalAdvance(legend_->text()) + 4),
        metrics.lineSpacing() + 4);
    setFixedSize(std::max(TwipsToPixels(8700), legend_->geometry().right() + TwipsToPixels(120)),
                 TwipsToPixels(2800));

    dayField_->installEventFilter(this);
    dayField_->setFocus();
}

bool ClosingDayDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != dayField_ || event->type() != QEvent::KeyPress)
        return false;
    KeysNow().Run(static_cast<const QKeyEvent&>(*event));
    return true;  // typed characters and other keys are discarded
}

KeyTable ClosingDayDialog::KeysNow() {
    return {" <ESC>設定破棄    <Enter>設定保存    <PageUp>前日    <PageDown>翌日",
            {{{Qt::Key_Escape}, "<ESC>設定破棄", [this] { reject(); }},
             {kEnterKeys, "<Enter>設定保存", [this] { Save(); }},
             {{Qt::Key_PageUp}, "<PageUp>前日", [this] { Step(-1); }},
             {{Qt::Key_PageDown}, "<PageDown>翌日", [this] { Step(+1); }}}};
}

void ClosingDayDialog::Step(int delta) {
    int day = closingDay_ + delta;
    if (day == 0)
        day = kMonthEnd;
    else if (day > kMonthEnd)
        day = 1;
    else if (day == 29 || day == 30)
        day = delta < 0 ? 28 : kMonthEnd;
    closingDay_ = day;
    dayField_->setText(QString::number(closingDay_));
}

void ClosingDayDialog::Save() {
    if (ReportedIoFailure(services_.messages, this, kClosingDayTitle,
                          WriteClosingDay(state_.folder, closingDay_)))
        return;
    state_.settings.closingDay = static_cast<std::int16_t>(closingDay_);
    accept();
}

}  // namespace hanaki

#include "moc_closing_day_dialog.cpp"
