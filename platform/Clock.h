#pragma once
// The one source of time: local wall-clock time, the system's UTC and blocking waits. Tests set
// and advance it.

#include <QDateTime>

#include <cstdint>

// Local wall-clock time and the system's UTC, read at one instant.
struct ClockReading {
  QDateTime local;
  QDateTime utc;
};

class Clock {
public:
  virtual ~Clock() = default;
  // Local wall-clock time to the whole second, without a time zone: the program adds the
  // operator's own UTC offset to it, so daylight-saving rules must not apply.
  virtual QDateTime now() const = 0;
  // Two separate readings may straddle a minute change; this one never does.
  virtual ClockReading localAndUtc() const = 0;
  // Blocks the calling thread; no window events are served meanwhile.
  virtual void sleepMs(int ms) = 0;
  // Milliseconds of a monotonic counter that never wraps (the keyer times Morse elements by it).
  virtual std::int64_t timeGetTime() = 0;
};

class SystemClock : public Clock {
public:
  QDateTime now() const override;
  ClockReading localAndUtc() const override;
  void sleepMs(int ms) override;
  std::int64_t timeGetTime() override;
};

// The system's monotonic counter in milliseconds, as SystemClock::timeGetTime reads it.
std::int64_t steadyMs();

// Wall-clock fields taken as they stand, so that adding seconds never jumps at a DST change.
QDateTime wallClock(const QDate &date, const QTime &time);
