#include "ui/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/fonts.h"
#include "ui/help_guide.h"

namespace hanaki {
namespace {

QString FirstExisting(const QStringList& places) {
    for (const QString& place : places) {
        const QFileInfo file(place);
        if (file.isFile() && file.isReadable())
            return place;
    }
    return {};
}

QString ReadGuide(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

HelpWindow::HelpWindow(const QStringList& guidePlaces, QWidget* screen)
    : QWidget(screen, Qt::Window),
      guidePlaces_(guidePlaces),
      text_(new QTextBrowser(this)),
      wholeGuideButton_(new QPushButton(this)),
      legend_(new QLabel(this)) {
    setObjectName("FormHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    text_->setObjectName("HelpText");
    QFont readable = text_->font();  // as large as the guide's own text
    readable.setPointSize(11);
    text_->setFont(readable);
    // Links are followed here, so that one inside a section opens the whole guide there.
    text_->setOpenLinks(false);
    connect(text_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    wholeGuideButton_->setObjectName("WholeGuide");
    wholeGuideButton_->setFocusPolicy(Qt::TabFocus);
    connect(wholeGuideButton_, &QPushButton::clicked, this,
            [this] { wholeGuide_ ? ShowSection(anchor_) : ShowWholeGuide(anchor_); });
    legend_->setObjectName("Legend");
    legend_->setFont(GothicFont(10));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(wholeGuideButton_, 0, Qt::AlignRight);
    layout->addWidget(legend_);
    // As large as reads well, and never larger than the screen it opens on.
    const QRect area = screen->window()->screen()->availableGeometry();
    resize(std::min(800, area.width() - 40), std::min(640, area.height() - 60));
    text_->setFocus();
}

void HelpWindow::ShowSection(const QString& anchor) {
    anchor_ = anchor;
    guidePath_ = FirstExisting(guidePlaces_);
    if (guidePath_.isEmpty()) {
        ShowMissingGuide();
        return;
    }
    QTextDocument guide;
    guide.setHtml(ReadGuide(guidePath_));
    const GuideSection section = FindGuideSection(guide, anchor);
    if (section.html.isEmpty()) {
        ShowWholeGuide(anchor);
        return;
    }
    wholeGuide_ = false;
    text_->setSearchPaths({QFileInfo(guidePath_).path()});
    text_->setHtml(section.html);
    setWindowTitle(QStringLiteral("ヘルプ - ") + section.title);
    ShowLegend();
}

void HelpWindow::ShowWholeGuide(const QString& anchor) {
    guidePath_ = FirstExisting(guidePlaces_);
    if (guidePath_.isEmpty()) {
        ShowMissingGuide();
        return;
    }
    wholeGuide_ = true;
    text_->setSource(QUrl::fromLocalFile(guidePath_));
    if (!anchor.isEmpty())
        text_->scrollToAnchor(anchor);
    setWindowTitle(QStringLiteral("ヘルプ - ") + text_->documentTitle());
    ShowLegend();
}

void HelpWindow::ShowMissingGuide() {
    QString text = QStringLiteral(
        "利用者ガイドが見つからないため、ヘルプを表示できません。\n\n"
        "次の場所を探しました:\n");
    for (const QString& place : guidePlaces_)
        text += QStringLiteral("  ") + place + u'\n';
    text += QStringLiteral(
        "\nガイドは hanaki と一緒に入る文書です（パッケージでは "
        "/usr/share/doc/hanaki/guide.ja.html）。そこにないときは、/usr/share/doc "
        "に文書を入れない設定（dpkg の path-exclude）になっていないか確かめてください。");
    text_->setPlainText(text);
    setWindowTitle(QStringLiteral("ヘルプ"));
    ShowLegend();
}

void HelpWindow::FollowLink(const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty())  // "#3-記帳する…": a place in the guide
        ShowWholeGuide(link.fragment());
}

void HelpWindow::ShowLegend() {
    legend_->setText(QString::fromUtf8(KeysNow().legend));
    wholeGuideButton_->setVisible(!guidePath_.isEmpty());
    wholeGuideButton_->setText(wholeGuide_ ? QStringLiteral("F1 この画面のキー")
                                           : QStringLiteral("F1 ガイド全体"));
}

// The arrows and PageUp/Down scroll the text on their own; F1 acts only when
// there is a guide to switch to.
KeyTable HelpWindow::KeysNow() {
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "<ESC>ヘルプ終了", [this] { close(); }},
        TakenElsewhere("<↑↓PageUp,Down>スクロール"),
    };
    if (guidePath_.isEmpty())
        return {" <ESC>ヘルプ終了    <↑↓PageUp,Down>スクロール", std::move(keys)};
    keys.push_back({{Qt::Key_F1}, wholeGuide_ ? "<F1>この画面のキー" : "<F1>ガイド全体", [this] {
                        wholeGuideButton_->click();
                    }});
    return {wholeGuide_ ? " <ESC>ヘルプ終了    <F1>この画面のキー    <↑↓PageUp,Down>スクロール"
                        : " <ESC>ヘルプ終了    <F1>ガイド全体    <↑↓PageUp,Down>スクロール",
            std::move(keys)};
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (!KeysNow().Run(*event))
        QWidget::keyPressEvent(event);
}

}  // namespace hanaki

#include "moc_help_window.cpp"
