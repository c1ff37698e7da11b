#include "ui/io_failure.h"

#include "ui/message_service.h"

namespace hanaki {

void ReportIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                     const IoError& error) {
    // Whatever the screen was doing, the folder is what the user must see to.
    const QString shown =
        error.code == kFolderMissing ? QStringLiteral("データフォルダが見つかりません") : title;
    messages.Inform(parent, shown, QString::fromStdString(DescribeIoError(error)));
}

bool ReportedIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                       const IoResult& result) {
    if (result.ok())
        return false;
    ReportIoFailure(messages, parent, title, *result.error);
    // A failed folder sync comes after the rename: the file holds the change,
    // so the screen goes on with it; only the message says it is unconfirmed.
    return result.error->step != IoStep::SyncFolder;
}

}  // namespace hanaki
