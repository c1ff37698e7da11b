#include "ui/help_guide.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <map>

namespace hanaki {
namespace {

// Lower case, spaces as hyphens, and only letters, marks, digits, "_" and "-" kept.
QString AnchorOf(const QString& title) {
    QString anchor;
    for (QChar c : title.toLower()) {
        if (c == u' ')
            anchor += u'-';
        else if (c.isLetterOrNumber() || c.isMark() || c == u'-' ||
                 c.category() == QChar::Punctuation_Connector)
            anchor += c;
    }
    return anchor;
}

}  // namespace

std::vector<GuideHeading> GuideHeadings(const QTextDocument& guide) {
    std::vector<GuideHeading> headings;
    std::map<QString, int> used;  // a repeated title gets "-1", "-2" ...
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        const QString title = block.text().trimmed();
        QString anchor = AnchorOf(title);
        const int repeats = used[anchor]++;
        if (repeats > 0)
            anchor += QStringLiteral("-%1").arg(repeats);
        headings.push_back({block, level, title, anchor});
    }
    return headings;
}

GuideSection FindGuideSection(const QTextDocument& guide, const QString& anchor) {
    const std::vector<GuideHeading> headings = GuideHeadings(guide);
    for (auto heading = headings.begin(); heading != headings.end(); ++heading) {
        if (heading->anchor != anchor)
            continue;
        auto next = heading + 1;
        while (next != headings.end() && next->level > heading->level)
            ++next;
        QTextCursor section(heading->block);
        if (next == headings.end())
            section.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        else
            section.setPosition(next->block.position() - 1, QTextCursor::KeepAnchor);
        return {heading->title, section.selection().toHtml()};
    }
    return {};
}

QStringList GuidePlaces(const QString& programDir) {
    const QString name = QString::fromUtf8(kGuideFileName);
    return {QDir::cleanPath(programDir + QStringLiteral("/../share/doc/hanaki/") + name),
            QDir::cleanPath(programDir + QStringLiteral("/doc/") + name)};
}

}  // namespace hanaki
