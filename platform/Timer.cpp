#include "platform/Timer.h"

void Timer::start() {
  enabled_ = true;
  if (interval() > 0)
    QTimer::start();
}

void Timer::stop() {
  enabled_ = false;
  QTimer::stop();
}

void Timer::setInterval(int ms) {
  QTimer::setInterval(ms);
  if (ms <= 0)
    QTimer::stop();
  else if (enabled_)
    QTimer::start();
}
