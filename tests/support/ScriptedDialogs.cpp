#include "tests/support/ScriptedDialogs.h"

#include <QFileInfo>

namespace {
// The next scripted answer, or `unscripted` when the script has run out.
template <class T> T next(std::deque<T> &script, T unscripted = {}) {
  if (script.empty())
    return unscripted;
  T answer = std::move(script.front());
  script.pop_front();
  return answer;
}
} // namespace

Dialogs::Answer ScriptedDialogs::message(const QString &text, const QString &title, Buttons buttons,
                                         Icon icon) {
  shown.push_back({QStringLiteral("message"), title, text, buttons, icon});
  return next(answers, buttons == Buttons::YesNo ? Answer::No : Answer::Ok);
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title, const QString &defaultText) {
  shown.push_back({QStringLiteral("input"), title, prompt, Buttons::Ok, Icon::None, defaultText});
  return next(inputs);
}

QString ScriptedDialogs::openFile(const QString &title, const QString &startPath, const QString &filter) {
  shown.push_back({QStringLiteral("open"), title, startPath, Buttons::Ok, Icon::None, {}, filter});
  return next(paths);
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &startPath, const QString &filter) {
  shown.push_back({QStringLiteral("save"), title, startPath, Buttons::Ok, Icon::None, {}, filter});
  return next(paths);
}

QStringList ScriptedDialogs::messages() const {
  QStringList out;
  for (const Shown &s : shown)
    if (s.kind == QLatin1String("message"))
      out << s.text;
  return out;
}

void FakeClock::sleepMs(int ms) {
  if (ms <= 0)
    return;
  if (whileSleeping)
    whileSleeping();
  slept += ms;
  sleeps.push_back(ms);
  counter += ms;
  local = local.addMSecs(ms);
  utc = utc.addMSecs(ms);
}

FixedScreenMetrics::FixedScreenMetrics(int width, int height, int workWidth, int workHeight)
    : value{width * 15.0f, height * 15.0f, (workWidth ? workWidth : width) * 15.0f,
            (workHeight ? workHeight : height) * 15.0f} {}

void FakeSoundOutput::start(const QString &path) {
  log_.started.push_back({QFileInfo(path).completeBaseName(), clock_.counter});
}
