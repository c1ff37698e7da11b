// Renders the user guide from Markdown to one HTML file at build time, with an
// anchor on every heading so that its links work wherever it is opened.
// Usage: guide_html GUIDE.md GUIDE.html
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <cstdio>
#include <cstdlib>

#include "data/disk/safe_write.h"
#include "ui/help_guide.h"

using namespace hanaki;

namespace {

// Links to a heading that is not there, and pictures that are missing, fail the build.
QStringList BrokenReferences(const QTextDocument& guide, const QStringList& anchors,
                             const QFileInfo& source) {
    QStringList broken;
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextCharFormat format = part.fragment().charFormat();
            const QString link = format.anchorHref();
            if (link.startsWith(u'#') && !anchors.contains(link.mid(1)))
                broken << link;
            if (format.isImageFormat()) {
                const QString picture = format.toImageFormat().name();
                if (!QFileInfo::exists(source.dir().filePath(picture)))
                    broken << picture;
            }
        }
    }
    return broken;
}

// Qt quotes the generic font families, which makes them names of fonts no
// browser has, and does not say the text is Japanese, which picks its fonts.
QString ForBrowsers(QString html) {
    return html.replace(QStringLiteral("<html>"), QStringLiteral("<html lang=\"ja\">"))
        .replace(QStringLiteral("font-family:'sans-serif'"),
                 QStringLiteral("font-family:sans-serif"))
        .replace(QStringLiteral("font-family:'monospace'"),
                 QStringLiteral("font-family:monospace"));
}

}  // namespace

int main(int argc, char** argv) {
    // Text layout needs fonts, not a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: guide_html GUIDE.md GUIDE.html\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "guide_html: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument guide;
    // A browser's own sans-serif at a size that reads on a screen.
    guide.setDefaultFont(QFont(QStringLiteral("sans-serif"), 11));
    // The system's texts quote keys as "<Enter>": text, never markup.
    guide.setMarkdown(QString::fromUtf8(in.readAll()),
                      QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                      QTextDocument::MarkdownNoHTML));

    QStringList anchors;
    for (const GuideHeading& heading : GuideHeadings(guide)) {
        if (heading.level == 1)
            guide.setMetaInformation(QTextDocument::DocumentTitle, heading.title);
        QTextCursor text(heading.block);
        text.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat named;
        named.setAnchor(true);
        named.setAnchorNames({heading.anchor});
        text.mergeCharFormat(named);
        anchors << heading.anchor;
    }
    const QStringList broken = BrokenReferences(guide, anchors, QFileInfo(in.fileName()));
    for (const QString& reference : broken)
        std::fprintf(stderr, "%s: nothing at %s\n", argv[1], reference.toUtf8().constData());
    if (!broken.isEmpty())
        return 1;

    const QByteArray html = ForBrowsers(guide.toHtml()).toUtf8();
    if (!WriteFileAtomically(RealFileSystem(), argv[2],
                             {html.constData(), std::size_t(html.size())})
             .ok()) {
        std::fprintf(stderr, "guide_html: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
