#include "ui/message_service.h"

#include <QMessageBox>
#include <QPushButton>

namespace hanaki {

namespace {

// A plain box like the original's MsgBox: no icon, Enter presses OK, Esc
// presses Cancel (or OK when it is the only button).
bool Show(QWidget* parent, const QString& title, const QString& text, bool withCancel) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Texts name files and folders, and a name is never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel =
        withCancel ? box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok;
}

}  // namespace

void DialogMessageService::Inform(QWidget* parent, const QString& title, const QString& text) {
    Show(parent, title, text, false);
}

bool DialogMessageService::Confirm(QWidget* parent, const QString& title, const QString& text) {
    return Show(parent, title, text, true);
}

}  // namespace hanaki
