#pragma once

#include <QString>
#include <QValidator>
#include <functional>

// What a cell of the category editor may hold.
namespace hanaki {

// The reading skips the blanks a field begins with.
qsizetype LeadingBlanks(const QString& text);

// A description beginning with "+" or "-", blanks or not before it, would read
// back as a new category.
class NoLeadingSign : public QValidator {
  public:
    NoLeadingSign(std::function<void()> refused, QObject* parent);
    State validate(QString& text, int&) const override;

  private:
    std::function<void()> refused_;
};

// The cell keeps whole characters only, at most ten bytes of them.
QString FitName(const QString& text);

}  // namespace hanaki
