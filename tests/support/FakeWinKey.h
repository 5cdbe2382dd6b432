#pragma once
// A scripted WinKey driver for tests of its callers: it records each call as text ("open 5",
// "char 67", "status", "wpm 18", "leadtail 1 2"...) and answers from a script.

#include "platform/WinKey.h"

#include <QStringList>

#include <deque>
#include <functional>

class FakeWinKey : public WinKey {
public:
  QStringList calls;
  // wk_open's answer while closed: the result, and the version given with success.
  std::int32_t openResult = wkresult::Success;
  std::uint8_t version = 23;
  // The next status answers, one per request; 0 (idle) when none is left.
  std::deque<std::int32_t> statuses;
  // Runs at each status request, after it is recorded (a test's hook into the wait).
  std::function<void()> onStatus;
  QString heldDevice = QStringLiteral("/dev/ttyWinKey");
  bool isOpen = false;

  // The calls after the first `from`, without the status requests.
  QStringList sent(qsizetype from = 0) const;
  // The characters handed to the keyer, as text.
  QString handedOver() const;

  std::int32_t wk_open(std::uint8_t &version, std::uint8_t port) override;
  std::int32_t wk_close() override;
  std::int32_t wk_char(std::uint8_t code) override { return record(QStringLiteral("char %1").arg(code)); }
  std::int32_t wk_getstatus() override;
  std::int32_t wk_clearbuf() override { return record(QStringLiteral("clearbuf")); }
  std::int32_t wk_backspace() override { return record(QStringLiteral("backspace")); }
  std::int32_t wk_wpm(std::uint8_t v) override { return record(QStringLiteral("wpm %1").arg(v)); }
  std::int32_t wk_weight(std::uint8_t v) override { return record(QStringLiteral("weight %1").arg(v)); }
  std::int32_t wk_ptt_leadtail(std::uint8_t a, std::uint8_t b) override {
    return record(QStringLiteral("leadtail %1 %2").arg(a).arg(b));
  }
  std::int32_t wk_ditdah_ratio(std::uint8_t v) override { return record(QStringLiteral("ratio %1").arg(v)); }
  std::int32_t wk_pincfg(std::uint8_t v) override { return record(QStringLiteral("pincfg %1").arg(v)); }
  std::int32_t wk_setmode(std::uint8_t v) override { return record(QStringLiteral("mode %1").arg(v)); }
  QString device() const override { return isOpen ? heldDevice : QString(); }

private:
  std::int32_t record(const QString &call);
};
