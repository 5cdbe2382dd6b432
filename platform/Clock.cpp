#include "platform/Clock.h"

#include <QTimeZone>

#include <chrono>
#include <thread>

QDateTime wallClock(const QDate &date, const QTime &time) {
  return QDateTime(date, QTime(time.hour(), time.minute(), time.second()), QTimeZone::utc());
}

QDateTime SystemClock::now() const {
  const QDateTime local = QDateTime::currentDateTime();
  return wallClock(local.date(), local.time());
}

ClockReading SystemClock::localAndUtc() const {
  const QDateTime local = QDateTime::currentDateTime();
  return {wallClock(local.date(), local.time()), local.toUTC()};
}

void SystemClock::sleepMs(int ms) {
  if (ms > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t SystemClock::timeGetTime() {
  return steadyMs();
}
