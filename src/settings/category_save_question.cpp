#include "settings/category_save_question.h"

#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr int kListedDrops = 10;  // the question names at most this many

// At most kListedDrops lines, then how many more there are.
QString Listed(const QStringList& entries) {
    QStringList shown = entries.mid(0, kListedDrops);
    if (entries.size() > kListedDrops)
        shown << QStringLiteral("ほか %1 件").arg(entries.size() - kListedDrops);
    return shown.join(u'\n');
}

// Entries after an empty name or description, which the file cannot keep.
QStringList DroppedEntries(const CategoryCellText& cellText) {
    QStringList dropped;
    bool listEnded = false;
    for (int r = 1; r <= kMaxCategories; ++r) {
        const QString name = cellText(r, 1);
        listEnded = listEnded || name.isEmpty();
        int descriptionsLeft = 0;
        bool descriptionsEnded = false;
        for (int j = 1; j <= kMaxDescriptions; ++j) {
            const QString description = cellText(r, j + 1);
            if (description.isEmpty()) {
                descriptionsEnded = true;
                continue;
            }
            if (listEnded)
                ++descriptionsLeft;
            else if (descriptionsEnded)
                dropped << DescriptionLabel(r, name, j, description);
        }
        if (listEnded && (!name.isEmpty() || descriptionsLeft > 0)) {
            QString entry = CategoryLabel(r, name);
            if (descriptionsLeft > 0)
                entry += QStringLiteral(" と摘要%1件").arg(descriptionsLeft);
            dropped << entry;
        }
    }
    return dropped;
}

QStringList IgnoredEntries(const CategoryReading& reading, const CategoryCellText& cellText) {
    QStringList ignored;
    for (const IgnoredEntry& entry : reading.ignored) {
        const QString name = FromCp932(entry.name);
        if (entry.description == 0) {
            QString label = CategoryLabel(entry.category, name);
            if (entry.descriptions > 0)
                label += QStringLiteral(" と摘要%1件").arg(entry.descriptions);
            ignored << label;
        } else {
            ignored << DescriptionLabel(entry.category, cellText(entry.category, 1),
                                        entry.description, name);
        }
    }
    return ignored;
}

}  // namespace

QString Quoted(const QString& text) {
    return text.isEmpty() ? QStringLiteral("(空欄)") : QStringLiteral("「%1」").arg(text);
}

QString CategoryLabel(int category, const QString& name) {
    return QStringLiteral("費目%1%2").arg(category).arg(Quoted(name));
}

QString DescriptionLabel(int category, const QString& name, int description, const QString& text) {
    return CategoryLabel(category, name) +
           QStringLiteral(" の摘要%1%2").arg(description).arg(Quoted(text));
}

QString CategorySaveQuestion(const CategoryReading& reading, const CategoryCellText& cellText,
                             QStringList replaced) {
    QStringList parts;
    if (reading.fromUtf8)
        parts << QStringLiteral(
            "費目ファイル(Veradiv.Dat)は UTF-8 で書かれています。保存すると Shift-JIS で"
            "書き直されます。");
    if (const QStringList dropped = DroppedEntries(cellText); !dropped.isEmpty())
        parts << QStringLiteral("空欄より後ろにある次の項目は保存されません。\n\n") +
                     Listed(dropped);
    if (const QStringList ignored = IgnoredEntries(reading, cellText); !ignored.isEmpty())
        parts << QStringLiteral(
                     "費目と摘要はそれぞれ20までのため、ファイルにある次の項目は"
                     "保存されません。\n\n") +
                     Listed(ignored);
    for (const std::string& name : reading.unconvertible)
        replaced << Quoted(QString::fromStdString(name));
    if (!replaced.isEmpty())
        parts << QStringLiteral(
                     "次の項目には Shift-JIS にない文字があり、「?」に置き換えて"
                     "保存されます。\n\n") +
                     Listed(replaced);
    if (parts.isEmpty())
        return QString();
    return parts.join(QStringLiteral("\n\n")) + QStringLiteral("\n\nこのまま保存しますか？");
}

}  // namespace hanaki
