#include "settings/io_failure.h"

#include "ui/message_service.h"

namespace hanaki {

bool ReportedIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                       const IoResult& result) {
    if (result.ok())
        return false;
    messages.Inform(parent, title, QString::fromStdString(DescribeIoError(*result.error)));
    return true;
}

}  // namespace hanaki
