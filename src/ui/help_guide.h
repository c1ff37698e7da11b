#pragma once

#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <vector>

class QTextDocument;

namespace hanaki {

// The file name of the user guide as it is rendered and installed.
inline constexpr const char* kGuideFileName = "guide.ja.html";

// One heading of the guide and the anchor that links to it, named as a code
// host names it ("10. CSV への書き出し" -> "10-csv-への書き出し"), so that the
// guide's links work on the web, in a browser and in the help window alike.
struct GuideHeading {
    QTextBlock block;
    int level;
    QString title;
    QString anchor;
};

std::vector<GuideHeading> GuideHeadings(const QTextDocument& guide);

// The section under the heading `anchor`, up to the next heading of its level
// or above, as HTML; both empty when the guide has no such heading.
struct GuideSection {
    QString title;
    QString html;
};
GuideSection FindGuideSection(const QTextDocument& guide, const QString& anchor);

// Where a program in `programDir` looks for the guide: installed under the
// same prefix, or in a "doc" folder next to it (the build tree, a portable copy).
QStringList GuidePlaces(const QString& programDir);

}  // namespace hanaki
