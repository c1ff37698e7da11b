#pragma once

#include <QObject>
#include <functional>

#include "data/formats/statement_layouts.h"
#include "data/formats/statement_table.h"
#include "ui/key_table.h"

class QLabel;
class QTableWidget;

namespace hanaki {

// Which columns of a statement hold the date, the amount (or 入金 and 出金)
// and the text: the first rows of the file in a grid, each column headed by
// its role, the roles in words above it, and the keys that change them.
class StatementColumns : public QObject {
    Q_OBJECT
  public:
    struct Link {
        std::function<void()> switchEncoding;  // E
        std::function<void()> confirm;         // Enter
        std::function<void()> back;            // Esc
    };

    StatementColumns(QTableWidget* grid, QLabel* words, Link link, QObject* parent);

    // Shows `table` as `layout` reads it; both are the caller's, changed by the keys.
    void Show(const StatementTable& table, GuessedLayout& layout);
    KeyTable Keys();

  private:
    void ShowLayout();
    // The column under the cursor takes the role; pressed again, it gives it up.
    void SetColumn(int& column);
    void ToggleTextColumn();
    void MoveHeader(int by);

    QTableWidget* grid_;
    QLabel* words_;
    Link link_;
    const StatementTable* table_ = nullptr;
    GuessedLayout* layout_ = nullptr;
};

}  // namespace hanaki
