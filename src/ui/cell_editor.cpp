#include "ui/cell_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <utility>

#include "ui/byte_limited_field.h"

namespace hanaki {

CellEditor::CellEditor(QTableWidget* grid, ByteLimitedField* field, QLabel* legend,
                       QString legendText, QObject* parent)
    : QObject(parent),
      grid_(grid),
      field_(field),
      legend_(legend),
      legendText_(std::move(legendText)) {}

void CellEditor::Open(QTableWidgetItem* cell, const QString& text, int caret, bool focus) {
    cell_ = cell;
    field_->setText(text);
    field_->setCursorPosition(caret);
    field_->setGeometry(grid_->visualItemRect(cell));
    legend_->setText(legendText_);
    open_ = true;
    field_->show();
    if (focus)
        field_->setFocus();
}

void CellEditor::Begin(QTableWidgetItem* cell, CellEditStart start, const QString& text,
                       QChar typed) {
    grid_->scrollToItem(cell);
    switch (start) {
        case CellEditStart::KeepText:
            Open(cell, text, static_cast<int>(text.size()));
            break;
        case CellEditStart::Clear:
            Open(cell, QString(), 0);
            break;
        case CellEditStart::KeepTextCaretFirst:
            Open(cell, text, 0);
            break;
        case CellEditStart::Typed: {
            Open(cell, QString(), 0);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(field_, &key);
            break;
        }
    }
}

bool BeginByTyping(const QKeyEvent& event, const std::function<void(CellEditStart, QChar)>& begin) {
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.front() == u' ')
        begin(CellEditStart::KeepTextCaretFirst, QChar());
    else if (text.front() > u' ')
        begin(CellEditStart::Typed, text.front());
    return true;
}

void CellEditor::Compose(QInputMethodEvent* event) {
    QApplication::sendEvent(field_, event);
    if (event->preeditString().isEmpty() && !field_->hasFocus())
        field_->setFocus();
}

void CellEditor::Commit(const QString& cellText) {
    open_ = false;
    cell_->setText(cellText);
    legend_->setText(legendText_);
    grid_->setFocus();
    field_->hide();
}

void CellEditor::Discard() {
    open_ = false;
    legend_->setText(legendText_);
    field_->hide();
    grid_->setFocus();
}

QString LegendInTwoLines(const QString& legend, const QString& secondLine) {
    const qsizetype second = legend.indexOf(secondLine);
    if (second < 0)
        return legend;
    return legend.left(second).trimmed() + u'\n' + legend.mid(second);
}

bool LeftForAnotherPlace(const QFocusEvent* focusOut) {
    const Qt::FocusReason reason = focusOut->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace hanaki
