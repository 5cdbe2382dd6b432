#pragma once
// Test doubles of the platform seams: dialogs answered by script, a settable clock, a sound
// device that records what it was asked to play, a screen of set size.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ScreenMetrics.h"
#include "platform/WavePlayer.h"

#include <QStringList>
#include <QTimeZone>

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogs : public Dialogs {
public:
  struct Shown {
    QString kind; // "message", "input", "open", "save"
    QString title;
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QString defaultText = {}; // of an input box
    QString filter = {};      // of a file dialog
  };

  // Answers are taken in order; an unscripted message answers Ok (or No for Yes/No boxes),
  // an unscripted input or file dialog answers as Cancel does.
  std::deque<Answer> answers;
  std::deque<QString> inputs;
  std::deque<QString> paths;
  std::vector<Shown> shown;
  int beeps = 0;
  // Runs at each beep: what the operator does while the program beeps.
  std::function<void()> whileBeeping;

  Answer message(const QString &text, const QString &title, Buttons buttons, Icon icon) override;
  QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
  QString openFile(const QString &title, const QString &startPath, const QString &filter) override;
  QString saveFile(const QString &title, const QString &startPath, const QString &filter) override;
  void beep() override {
    ++beeps;
    if (whileBeeping)
      whileBeeping();
  }

  QStringList messages() const; // texts of the message boxes shown, in order
  const Shown *last() const { return shown.empty() ? nullptr : &shown.back(); }
};

class FakeClock : public Clock {
public:
  QDateTime local = wallClock(QDate(2024, 3, 30), QTime(14, 5, 9));
  QDateTime utc = QDateTime(QDate(2024, 3, 30), QTime(14, 5, 9), QTimeZone::utc());
  int slept = 0;           // milliseconds spent in sleepMs
  std::vector<int> sleeps; // each wait's length, in order
  // The millisecond counter: each sleep moves it on, and so does each reading, by `readStep`, so
  // that a wait on the counter ends and its length can be checked.
  std::int64_t counter = 0;
  std::int64_t readStep = 1;
  // Runs at each wait, before the time moves on: what the operator sees while the program waits.
  std::function<void()> whileSleeping;

  QDateTime now() const override { return local; }
  ClockReading localAndUtc() const override { return {local, utc}; }
  void sleepMs(int ms) override;
  std::int64_t timeGetTime() override { return counter += readStep; }
  void setLocal(const QDate &d, const QTime &t) { local = wallClock(d, t); }
};

// What the fake sound device was asked to play: each sound by its file's base name, with the
// fake clock's counter. It reports the end of a sound as soon as asked unless `reportsEnd` is
// false (a device that never does).
struct SoundLog {
  struct Sound {
    QString name;
    std::int64_t ms;
  };
  std::vector<Sound> started;
  bool reportsEnd = true;
};

class FakeSoundOutput : public SoundOutput {
public:
  FakeSoundOutput(FakeClock &clock, SoundLog &log) : clock_(clock), log_(log) {}
  void start(const QString &path) override;
  void stop() override {}
  bool ended() const override { return log_.reportsEnd; }

private:
  FakeClock &clock_;
  SoundLog &log_;
};

class FixedScreenMetrics : public ScreenMetrics {
public:
  // A screen of the given pixels at 96 dpi (15 twips a pixel), its work area as large unless given.
  FixedScreenMetrics(int width, int height, int workWidth = 0, int workHeight = 0);
  ScreenTwips value;
  ScreenTwips twips() const override { return value; }
};
