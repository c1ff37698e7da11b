#pragma once

#include <QObject>
#include <functional>

#include "data/book/statement_import.h"
#include "ui/key_table.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace hanaki {

// The preview of a statement: one grid line per row with its date, month,
// 入金 or 支出, amount, remark, category and state. Space checks a row or
// not; a category is typed by number and Enter, then its description, as on
// the main window, with the names shown in the guide line.
class StatementPreview : public QObject {
    Q_OBJECT
  public:
    struct Link {
        std::function<void()> import;  // Enter with nothing typed
        std::function<void()> back;    // Esc with nothing typed
        // A category chosen for `row`: the screen offers to remember it.
        std::function<void(const PlannedRow& row)> chosen;
    };

    StatementPreview(const CategoryTable& categories, QTableWidget* grid, QLineEdit* number,
                     QLabel* guide, Link link, QObject* parent);

    void Show(std::vector<PlannedRow> rows);
    std::vector<PlannedRow>& rows() { return rows_; }
    KeyTable Keys();
    // A digit typed into the number field; false for any other key.
    bool TakeDigit(const QString& text);

  private:
    enum class Typing { None, Category, Description };
    PlannedRow* CurrentRow();
    void ShowRow(int index);
    void ShowGuide();
    void Toggle();
    void Accept();
    void Back();

    const CategoryTable& categories_;
    QTableWidget* grid_;
    QLineEdit* number_;
    QLabel* guide_;
    Link link_;
    std::vector<PlannedRow> rows_;
    Typing typing_ = Typing::None;
    int category_ = 0;
};

// What the 状態 column says of a row (UTF-8).
std::string PreviewState(const PlannedRow& row);

}  // namespace hanaki
