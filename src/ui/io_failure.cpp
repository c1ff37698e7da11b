#include "ui/io_failure.h"

#include "ui/message_service.h"

namespace hanaki {

void ReportIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                     const IoError& error) {
    messages.Inform(parent, title, QString::fromStdString(DescribeIoError(error)));
}

bool ReportedIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                       const IoResult& result) {
    if (result.ok())
        return false;
    ReportIoFailure(messages, parent, title, *result.error);
    return true;
}

}  // namespace hanaki
