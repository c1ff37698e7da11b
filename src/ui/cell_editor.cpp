#include "ui/cell_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
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
