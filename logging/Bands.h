#pragma once
// The contest bands and the log-refresh interval: the band display's order, and the refresh
// rate the operator may choose.

#include <QString>
#include <QStringList>

#include <optional>

// The six band codes in the band display's order.
const QStringList &bandCodes();

// Band codes, as logged or chosen, are the same without regard to case.
bool sameBand(const QString &a, const QString &b);

// The band a click on the band display steps to: 160, 80, 40, 20, 15, 10 and back to 160. The
// current band is compared without regard to case; any other band gives nothing.
std::optional<QString> nextBand(const QString &current);

// The operator's answer to the refresh-rate box. A number (plain decimal or with an exponent)
// from 6,000 to 60,000 ms is taken: the timer gets it rounded, the preferences keep it as
// typed. Another number is ignored; anything else (Cancel included) is refused.
struct RefreshRateAnswer {
  enum class Outcome { Accepted, Ignored, Refused };
  Outcome outcome = Outcome::Refused;
  float refreshMs = 0;
  int intervalMs = 0;
};
RefreshRateAnswer refreshRateAnswer(const QString &answer);

// The refresh timer's interval for a stored rate, rounded to whole milliseconds. 0 keeps the
// timer from firing; a rate a timer cannot take (below 0, above 65,535 ms) gives nothing.
std::optional<int> refreshTimerInterval(float refreshMs);

QString refreshRatePrompt();

inline constexpr float kFallbackRefreshMs = 60000;
