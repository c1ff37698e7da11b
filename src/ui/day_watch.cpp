#include "ui/day_watch.h"

#include <utility>

namespace hanaki {

DayWatch::DayWatch(std::function<CivilDate()> today, QObject* parent)
    : QObject(parent), today_(std::move(today)), seen_(today_()) {
    // A minute late at most; a timer set for midnight would miss a clock set by hand.
    timer_.setInterval(60 * 1000);
    connect(&timer_, &QTimer::timeout, this, &DayWatch::Check);
    timer_.start();
}

void DayWatch::Check() {
    const CivilDate now = today_();
    if (now == seen_)
        return;
    seen_ = now;
    emit newDay();
}

}  // namespace hanaki

#include "moc_day_watch.cpp"
