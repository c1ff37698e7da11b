#pragma once

#include <QString>

#include "data/disk/io_result.h"

class QWidget;

namespace hanaki {

class MessageService;

// Shows a failed read or write in a Japanese message box; a folder that is
// gone has a title of its own.
void ReportIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                     const IoError& error);

// The same for a result that may have succeeded. True when `result` failed,
// so a screen can stop where it stands and keep memory as on disk; false (after
// the message) when only the folder sync after the rename failed, since the
// disk then holds the change.
bool ReportedIoFailure(MessageService& messages, QWidget* parent, const QString& title,
                       const IoResult& result);

}  // namespace hanaki
