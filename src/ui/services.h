#pragma once

#include "ui/message_service.h"
#include "ui/screen_metrics.h"

namespace hanaki {

// The platform pieces a screen is handed besides the program state.
struct Services {
    MessageService& messages;
    ScreenMetrics metrics;
};

}  // namespace hanaki
