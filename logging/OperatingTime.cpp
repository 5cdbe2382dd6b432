#include "logging/OperatingTime.h"

#include "logging/LogRules.h"
#include "platform/VbText.h"

#include <cmath>
#include <cstdlib>

namespace {

qint64 floorDiv(qint64 a, qint64 b) {
  const qint64 q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A part of the operating time as two characters: its last two digits, a "0" before one digit.
QString twoCharacters(qint64 value) {
  const QString digits = QString::number(value);
  return value < 10 ? u'0' + digits.right(1) : digits.right(2);
}

} // namespace

QString logOnCaption(bool loggedOn) {
  return loggedOn ? QStringLiteral("&Log \"Time Off\"") : QStringLiteral("&Log \"Time On\"");
}

double runningOperatingTime(double closedTotal, const QDateTime &sessionStart, const QDateTime &now) {
  return std::abs(closedTotal) + static_cast<double>(sessionStart.secsTo(now));
}

QString operatingTimeText(double seconds) {
  const auto t = static_cast<qint64>(std::floor(seconds));
  const qint64 hours = floorDiv(t, 3600);
  const qint64 minutes = floorDiv(t, 60) - hours * 60;
  const qint64 secs = t - 60 * floorDiv(t, 60);
  return twoCharacters(hours) + u':' + twoCharacters(minutes) + u':' + twoCharacters(secs);
}

QString loggedOffMessage(const QDateTime &local, float utcOffsetHours, const QLocale &locale) {
  const QDateTime utc = utcFromLocal(local, utcOffsetHours);
  const QString pattern = QStringLiteral("hh:mm:ss");
  return QStringLiteral("Logged Off at ") + locale.toString(utc.date(), QLocale::ShortFormat) + u' ' +
         vb::formatDateTime(utc, pattern) + QStringLiteral(". Log on after ") +
         vb::formatDateTime(utc.addSecs(3600), pattern);
}

QString utcClockText(const QDateTime &local, float utcOffsetHours) {
  return vb::formatDateTime(utcFromLocal(local, utcOffsetHours), QStringLiteral("hh:nn:ss"));
}

TwelveHourClock localClock(const QDateTime &local, const QLocale &locale) {
  const QTime t = local.time();
  const int hour = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
  const bool morning = t.hour() < 12;
  QString designator = morning ? locale.amText() : locale.pmText();
  if (designator.isEmpty())
    designator = morning ? QStringLiteral("AM") : QStringLiteral("PM");
  return {QString::number(hour) + vb::formatDateTime(local, QStringLiteral(":nn:ss")), designator};
}
