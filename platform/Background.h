#pragma once
// Work taken off the user-interface thread: one piece at a time, in the order given, so that a
// backup never overtakes the load before it.

#include <QThreadPool>

#include <functional>

class QObject;

class Background {
public:
  Background();
  // Waits for the work under way.
  virtual ~Background();
  Background(const Background &) = delete;
  Background &operator=(const Background &) = delete;

  // Runs `work` on the worker thread, then `done` (when given) on the thread of `receiver`,
  // unless `receiver` has gone meanwhile.
  virtual void run(QObject *receiver, std::function<void()> work, std::function<void()> done = {});
  // Waits until the work given so far has finished; its `done` may still be queued.
  void waitForDone();

private:
  QThreadPool pool_;
};

// Runs the work and its `done` at once on the calling thread: what a tick starts is then over
// when the tick returns.
class InlineBackground : public Background {
public:
  void run(QObject *receiver, std::function<void()> work, std::function<void()> done = {}) override;
};
