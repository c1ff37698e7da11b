#include "import/converter_closing_day_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/fonts.h"

namespace hanaki {
namespace {

constexpr int kCell = 6;  // one half-width character of the 12-pixel font

// The sentence's runs of blanks leave a gap for the day field; the lines are
// spread apart so that the field fits between them.
class SpreadLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QTextDocument document;
        document.setDefaultFont(font());
        document.setDocumentMargin(0);
        document.setTextWidth(width());
        document.setPlainText(text());
        QTextBlockFormat spacing;
        spacing.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
        QTextCursor cursor(&document);
        cursor.select(QTextCursor::Document);
        cursor.mergeBlockFormat(spacing);
        QPainter painter(this);
        document.drawContents(&painter);
    }
};

}  // namespace

ConverterClosingDayDialog::ConverterClosingDayDialog(QWidget* parent)
    : QDialog(parent),
      prompt_(new QLabel(QStringLiteral(" 「まちかど帳」の月度締日を入力して下さい。"), this)),
      sentence_(new SpreadLabel(
          QStringLiteral(" 毎月      　日を締め日として，コ                 ンバートします。"
                         "                                                 (月末は31として下さい)"),
          this)),
      legend_(new QLabel(QString::fromUtf8(KeysNow().legend), this)),
      dayField_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("月度設定"));
    setFixedSize(432, 170);

    prompt_->setObjectName(QStringLiteral("Label1"));
    sentence_->setObjectName(QStringLiteral("Label2"));
    legend_->setObjectName(QStringLiteral("Label3"));
    dayField_->setObjectName(QStringLiteral("Text1"));
    for (QWidget* widget : {static_cast<QWidget*>(prompt_), static_cast<QWidget*>(sentence_),
                            static_cast<QWidget*>(legend_), static_cast<QWidget*>(dayField_)})
        widget->setFont(GothicFont(9));

    prompt_->setGeometry(12, 14, 408, 16);
    sentence_->setGeometry(24, 48, 50 * kCell, 72);
    // Over the blanks after " 毎月": five cells in, eight cells wide.
    dayField_->setGeometry(24 + 5 * kCell, 42, 8 * kCell, 22);
    dayField_->setAlignment(Qt::AlignRight);
    dayField_->setReadOnly(true);  // the day moves by keys only
    dayField_->setAttribute(Qt::WA_InputMethodEnabled, false);
    dayField_->setContextMenuPolicy(Qt::NoContextMenu);
    dayField_->installEventFilter(this);
    legend_->setGeometry(12, 140, 408, 16);

    SetDay(31);
    dayField_->setFocus();
}

std::optional<int> ConverterClosingDayDialog::Ask(QWidget* parent) {
    ConverterClosingDayDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.closingDay();
}

bool ConverterClosingDayDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != dayField_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    KeysNow().Run(static_cast<const QKeyEvent&>(*event));
    return true;  // typed characters and every other key do nothing
}

KeyTable ConverterClosingDayDialog::KeysNow() {
    return {
        "<ESC>破棄      <Enter>コンバート   <PageUp>前日    <PageDown>翌日",
        {{{Qt::Key_Escape}, "<ESC>破棄", [this] { reject(); }},
         {kEnterKeys, "<Enter>コンバート", [this] { accept(); }},
         {{Qt::Key_PageUp}, "<PageUp>前日", [this] { SetDay(day_ == 1 ? 31 : day_ - 1); }},
         {{Qt::Key_PageDown}, "<PageDown>翌日", [this] { SetDay(day_ == 31 ? 1 : day_ + 1); }}}};
}

void ConverterClosingDayDialog::SetDay(int day) {
    day_ = day;
    dayField_->setText(QString::number(day));
}

}  // namespace hanaki

#include "moc_converter_closing_day_dialog.cpp"
