#pragma once
// A timer as the program's windows expect one: an interval of 0 never fires (a QTimer with 0
// fires without pause), and a timer switched on stays on while its interval is 0, so that a
// later interval sets it going.

#include <QTimer>

class Timer : public QTimer {
public:
  using QTimer::QTimer;

  // These hide QTimer's own: call them through a Timer.
  void start();
  void stop();
  void setInterval(int ms);

  bool isEnabled() const { return enabled_; }

private:
  bool enabled_ = false;
};
