#include "app/MainPreferences.h"

#include "keying/KeyingState.h"
#include "logging/LoggingState.h"
#include "platform/VbText.h"

#include <QTimeZone>

#include <cfloat>
#include <cmath>

namespace {

QString line(const QString &text) {
  return vb::WriteLine().text(text).str();
}
QString line(float value) {
  return vb::WriteLine().single(value).str();
}
QString line(int byte) {
  return vb::WriteLine().number(byte).str();
}

qint64 minuteCount(const QDateTime &t) {
  const QDateTime minute(t.date(), QTime(t.time().hour(), t.time().minute()), QTimeZone::utc());
  return minute.toSecsSinceEpoch() / 60;
}

} // namespace

QString mainPreferencesText(const LoggingState &logging, const KeyingState &keying,
                            const MainPreferences &prefs) {
  const StationSettings &s = logging.station;
  return line(s.MyCall) + line(s.UtcOffsetHours) + line(s.ModeCode) + line(logging.CurrentBand) +
         line(static_cast<float>(logging.TimeOnTotal)) + line(s.MyCountry) + line(s.MyContinent) +
         line(s.MyLongitude) + line(s.MyLatitude) + line(s.SerialPerBand) +
         line(prefs.FormSizePercent) + line(s.TransmitterNumber) + line(s.LogFilePath) +
         line(prefs.RefreshMs) + line(keying.VoiceNavMode) + line(prefs.RigType) + line(prefs.TaskbarLayout);
}

bool readMainPreferences(const QString &content, LoggingState &logging, KeyingState &keying,
                         MainPreferences &prefs) {
  vb::FieldReader r(content);
  // A single's precision, the operating time's double included.
  const auto single = [&r]() -> std::optional<float> {
    if (const auto v = r.number(-FLT_MAX, FLT_MAX))
      return static_cast<float>(*v);
    return std::nullopt;
  };
  const auto byte = [&r] { return r.integer(0, 255); };
  using vb::readInto;
  StationSettings &s = logging.station;
  return readInto(r.text(), s.MyCall) && readInto(single(), s.UtcOffsetHours) &&
         readInto(r.text(), s.ModeCode) && readInto(r.text(), logging.CurrentBand) &&
         readInto(single(), logging.TimeOnTotal) && readInto(r.text(), s.MyCountry) &&
         readInto(r.text(), s.MyContinent) && readInto(single(), s.MyLongitude) &&
         readInto(single(), s.MyLatitude) && readInto(byte(), s.SerialPerBand) &&
         readInto(byte(), prefs.FormSizePercent) && readInto(r.text(), s.TransmitterNumber) &&
         readInto(r.text(), s.LogFilePath) && readInto(single(), prefs.RefreshMs) &&
         readInto(byte(), keying.VoiceNavMode) && readInto(r.text(), prefs.RigType) &&
         readInto(byte(), prefs.TaskbarLayout);
}

float recommendedUtcOffset(const QDateTime &utc, const QDateTime &local) {
  const qint64 minutes = minuteCount(utc.toUTC()) - minuteCount(local);
  return static_cast<float>(vb::roundHalfEven(minutes / 60.0 * 100.0) / 100.0);
}

QString utcOffsetPrompt(const QDateTime &utc, const QDateTime &local, float recommended, float current) {
  const QString gap = QStringLiteral("\r\n\r\n");
  return QStringLiteral("Would you like to adjust the UTC offset in this program for your local "
                        "time setting?") +
         gap + QStringLiteral("Current System Time: ") +
         vb::formatDateTime(utc.toUTC(), QStringLiteral("hh:nn")) + gap +
         QStringLiteral("Current Local Time: ") + vb::formatDateTime(local, QStringLiteral("hh:nn")) + gap +
         QStringLiteral("Recommended Offset Setting: ") + vb::singleText(recommended) + gap +
         QStringLiteral("Current Offset Setting: ") + vb::singleText(current) + gap +
         QStringLiteral("Please click OK to accept the recommended change or Cancel to keep the "
                        "current setting.");
}

std::optional<float> utcOffsetAnswer(const QString &answer) {
  QString text = answer;
  if (!text.contains(u'.'))
    text.replace(u',', u'.');
  if (!vb::isNumeric(text))
    return std::nullopt;
  const double v = vb::val(text);
  if (std::fabs(v) > FLT_MAX)
    return std::nullopt;
  return static_cast<float>(v);
}
