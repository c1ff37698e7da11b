#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "data/formats/category_table.h"

// What the category editor asks before a save that would drop or change
// entries beyond the user's edits.
namespace hanaki {

// The text of grid cell (row, column): row = category 1 … 20, column 1 the
// name, 2 … 21 descriptions 1 … 20.
using CategoryCellText = std::function<QString(int row, int column)>;

// "費目3「食費」" and "費目3「食費」 の摘要2「昼食」", as the questions name entries.
QString Quoted(const QString& text);
QString CategoryLabel(int category, const QString& name);
QString DescriptionLabel(int category, const QString& name, int description, const QString& text);

// Empty when the save keeps everything as the grid and the file hold it;
// `replaced` names the cells whose text code page 932 cannot hold.
QString CategorySaveQuestion(const CategoryReading& reading, const CategoryCellText& cellText,
                             QStringList replaced);

}  // namespace hanaki
