#pragma once
// One station PC: its folders, its state, the services it talks to the world through, its
// log connection and its windows. Two contexts in one process are two PCs of one station.

#include "app/Folders.h"
#include "app/MainPreferences.h"
#include "app/SharedPreferences.h"
#include "keying/KeyingState.h"
#include "logging/LoggingState.h"
#include "platform/PortArbiter.h"
#include "platform/ScreenMetrics.h"
#include "spotting/SpotTable.h"

#include <QPointer>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>

class Background;
class Clock;
class Dialogs;
class LogDb;
class PrinterPorts;
class SerialKeyLine;
class WavePlayer;
class SettingsStore;
class WinKey;

class AppContext {
public:
  AppContext(Folders folders, Dialogs &dialogs, Clock &clock, SettingsStore &settings,
             std::unique_ptr<LogDb> db);
  ~AppContext();
  AppContext(const AppContext &) = delete;
  AppContext &operator=(const AppContext &) = delete;

  Folders folders;
  LoggingState logging;
  KeyingState keying;
  SpottingState spotting;
  MainPreferences prefs;
  SharedPreferences sharedPrefs;

  Dialogs &dialogs;
  Clock &clock;
  SettingsStore &settings;
  // The screen and its work area; tests put set metrics in its place.
  std::unique_ptr<ScreenMetrics> screen;
  LogDb &db() { return *db_; }
  // The worker for the refresh's reads and the backup's writes; tests put one in its place that
  // works at once.
  std::unique_ptr<Background> background;
  // Ends the process at once, without the windows' close sequence (File, Exit; Cancel in station
  // setup). Tests put their own in its place.
  std::function<void(int)> endProcess = [](int code) { std::exit(code); };
  // Lets pending window events run (key presses and timer ticks between two Morse characters).
  // Tests put their own in its place.
  std::function<void()> doEvents;
  // The serial ports' users among the keyers, and the printer ports they share.
  PortArbiter portArbiter;
  std::unique_ptr<PrinterPorts> printerPorts;
  // Makes a wave player for a window (the voice keyer, the spoken prompts); tests give players
  // on a fake sound device.
  std::function<std::unique_ptr<WavePlayer>()> newWavePlayer;
  // Makes a serial port used as a key line; tests make doubles.
  std::function<std::unique_ptr<SerialKeyLine>()> newSerialKeyLine;
  // The WinKey keyer's driver, one per station PC; tests may put a scripted one in its place.
  std::unique_ptr<WinKey> winKey;

  // Each window is one instance, made on first use (from a constructor taking the context) and
  // kept until unloaded.
  template <class W> W &window() {
    QPointer<QWidget> &slot = windows_[std::type_index(typeid(W))];
    if (!slot) {
      W *made = new W(*this);
      slot = made;
      // A window whose load runs when it is made loads only once it can be found here: a box
      // its load shows runs an event loop, and a caller reaching it meanwhile must not make a
      // second one.
      if constexpr (requires { W::loadsWhenMade; })
        made->Form_Load();
    }
    return static_cast<W &>(*slot);
  }
  // The window, made on first use and then loaded by its Form_Load, as referring to an old form
  // loaded it.
  template <class W> W &loadedWindow() {
    static_assert(
        !requires { W::loadsWhenMade; }, "window<W>() loads it already");
    const bool was = loaded<W>();
    W &made = window<W>();
    if (!was)
      made.Form_Load();
    return made;
  }
  template <class W> bool loaded() const {
    const auto it = windows_.find(std::type_index(typeid(W)));
    return it != windows_.end() && it->second;
  }
  template <class W> void unload() {
    const auto it = windows_.find(std::type_index(typeid(W)));
    if (it == windows_.end())
      return;
    if (it->second)
      it->second->deleteLater();
    windows_.erase(it);
  }

private:
  std::unique_ptr<LogDb> db_;
  std::map<std::type_index, QPointer<QWidget>> windows_;
};
