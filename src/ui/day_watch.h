#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "data/formats/calendar.h"

namespace hanaki {

// Tells when today's date, as the program reads it, has become another day
// while the program runs (midnight passed, or the clock was set).
class DayWatch : public QObject {
    Q_OBJECT
  public:
    DayWatch(std::function<CivilDate()> today, QObject* parent);

    // Looks now, as the timer does once a minute.
    void Check();

  signals:
    void newDay();

  private:
    std::function<CivilDate()> today_;
    CivilDate seen_;
    QTimer timer_;
};

}  // namespace hanaki
