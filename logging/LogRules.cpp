#include "logging/LogRules.h"

#include "logging/Bands.h"
#include "platform/Clock.h"
#include "platform/VbText.h"

#include <QRegularExpression>

#include <cmath>

LogEntry entryFromRecord(ContactRecord r) {
  const auto points = static_cast<float>(vb::val(r.points));
  return {std::move(r.calls),
          std::move(r.rstr),
          std::move(r.serialr),
          std::move(r.rsts),
          std::move(r.flddate),
          std::move(r.fldtime),
          points,
          std::move(r.serials),
          std::move(r.uband),
          std::move(r.trn),
          std::move(r.countryworked),
          std::move(r.prefix)};
}

QString nextSerial(const LogArrays &log, bool perBand, const QString &band) {
  // The newest contact, of the band when serials count per band.
  const LogEntry *reference = nullptr;
  for (int n = log.ContactCount(); n >= 1 && !reference; --n) {
    if (!perBand || sameBand(log.slot(n).uband, band))
      reference = &log.slot(n);
  }
  if (!reference || !vb::isNumeric(reference->serials))
    return QStringLiteral("001");
  // A longer number stands as it is.
  return vb::numberText(vb::val(reference->serials) + 1).rightJustified(3, u'0');
}

int addPoints(int total, float points) {
  return static_cast<int>(vb::roundToInt(static_cast<double>(total) + static_cast<double>(points)));
}

int totalPoints(const LogArrays &log) {
  int total = 0;
  for (int n = 1; n <= log.ContactCount(); ++n)
    total = addPoints(total, log.slot(n).points);
  return total;
}

QDateTime utcFromLocal(const QDateTime &local, float offsetHours) {
  const auto minutes = static_cast<qint64>(std::lround(static_cast<double>(offsetHours) * 60.0));
  return local.addSecs(minutes * 60);
}

namespace {

// White space as the log's readers have always taken it: ASCII blanks, tabs and line ends.
bool isBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

QStringView withoutBlanks(QStringView s) {
  while (!s.isEmpty() && isBlank(s.front().unicode()))
    s = s.sliced(1);
  while (!s.isEmpty() && isBlank(s.back().unicode()))
    s.chop(1);
  return s;
}

// From `min` to `max` ASCII digits at `pos`, as many as there are.
bool readDigits(QStringView s, qsizetype &pos, int min, int max, int &value) {
  value = 0;
  int n = 0;
  while (n < max && pos < s.size() && s[pos] >= u'0' && s[pos] <= u'9') {
    value = value * 10 + (s[pos].unicode() - u'0');
    ++pos;
    ++n;
  }
  return n >= min;
}

bool readChar(QStringView s, qsizetype &pos, char16_t c) {
  if (pos >= s.size() || s[pos] != c)
    return false;
  ++pos;
  return true;
}

constexpr qint64 kJulianDayOf1970 = 2440588;

} // namespace

std::optional<QDate> storedDate(const QString &date) {
  const QStringView s = withoutBlanks(date);
  qsizetype pos = 0;
  int year = 0, month = 0, day = 0;
  if (!readDigits(s, pos, 4, 4, year) || !readChar(s, pos, u'/') || !readDigits(s, pos, 1, 2, month) ||
      !readChar(s, pos, u'/') || !readDigits(s, pos, 1, 2, day) || pos != s.size())
    return std::nullopt;
  const QDate d(year, month, day);
  return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

std::optional<QTime> storedTime(const QString &time) {
  const QStringView s = withoutBlanks(time);
  qsizetype pos = 0;
  int hour = 0, minute = 0, second = 0;
  if (!readDigits(s, pos, 1, 2, hour) || !readChar(s, pos, u':') || !readDigits(s, pos, 1, 2, minute))
    return std::nullopt;
  if (pos < s.size() && (!readChar(s, pos, u':') || !readDigits(s, pos, 1, 2, second)))
    return std::nullopt;
  if (pos != s.size())
    return std::nullopt;
  const QTime t(hour, minute, second);
  return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

std::optional<QDateTime> storedDateTime(const QString &date, const QString &time) {
  const auto day = storedDate(date);
  const auto clock = storedTime(time);
  if (!day || !clock)
    return std::nullopt;
  return wallClock(*day, *clock);
}

std::optional<std::int64_t> storedSeconds(const QString &date, const QString &time) {
  const auto day = storedDate(date);
  const auto clock = storedTime(time);
  if (!day || !clock)
    return std::nullopt;
  return (day->toJulianDay() - kJulianDayOf1970) * 86400 + clock->msecsSinceStartOfDay() / 1000;
}

namespace {

StoredDateAndTime::Day dayOf(const QDate &d) {
  return {d.year(), d.month(), d.day()};
}

StoredDateAndTime::Clock clockOf(const QTime &t) {
  return {t.hour(), t.minute(), t.second()};
}

} // namespace

StoredDateAndTime storedDateAndTime(const LogEntry &e) {
  StoredDateAndTime out;
  if (const auto date = storedDate(e.flddate))
    out.date = dayOf(*date);
  if (const auto time = storedTime(e.fldtime))
    out.time = clockOf(*time);
  return out;
}

StoredDateAndTime storedDateAndTime(const LogArrays &log, int n) {
  const std::int64_t when = log.key(n).when;
  if (when == ContactKey::kNoTime)
    return storedDateAndTime(log.slot(n));
  const std::int64_t days = when >= 0 ? when / 86400 : (when - 86399) / 86400;
  const int seconds = static_cast<int>(when - days * 86400);
  return {dayOf(QDate::fromJulianDay(days + kJulianDayOf1970)),
          StoredDateAndTime::Clock{seconds / 3600, seconds / 60 % 60, seconds % 60}};
}

UtcStamp utcStamp(const QDateTime &local, float offsetHours) {
  const QDateTime utc = utcFromLocal(local, offsetHours);
  return {vb::formatDateTime(utc, QStringLiteral("yyyy/mm/dd")),
          vb::formatDateTime(utc, QStringLiteral("hh:mm:ss"))};
}

QString backupLine(const LogEntry &e) {
  return vb::WriteLine()
      .text(e.calls)
      .text(e.rstr)
      .text(e.serialr)
      .text(e.rsts)
      .text(e.countryworked)
      .text(e.flddate)
      .text(e.fldtime)
      .text(e.uband)
      .single(e.points)
      .text(e.prefix)
      .text(e.serials)
      .text(e.trn)
      .str();
}

QString backupText(const LogArrays &log) {
  QString text;
  text.reserve(static_cast<qsizetype>(log.ContactCount()) * 96);
  for (int n = 1; n <= log.ContactCount(); ++n)
    text += backupLine(log.slot(n));
  return text;
}

std::optional<QString> postContestDate(const QString &text) {
  static const QRegularExpression yearFirst(QStringLiteral(R"(^\s*(\d{4})[/.-](\d{1,2})[/.-](\d{1,2})\s*$)"));
  static const QRegularExpression monthFirst(QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})\s*$)"));
  QDate date;
  if (const auto m = yearFirst.match(text); m.hasMatch())
    date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  else if (const auto m2 = monthFirst.match(text); m2.hasMatch())
    date = QDate(m2.captured(3).toInt(), m2.captured(1).toInt(), m2.captured(2).toInt());
  if (!date.isValid())
    return std::nullopt;
  return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString withTimeColon(const QString &text) {
  QString t = text;
  if ((t.size() == 3 || t.size() == 4) && vb::isNumeric(t))
    t.insert(t.size() - 2, u':');
  return t;
}

std::optional<QString> postContestTime(const QString &text) {
  static const QRegularExpression hm(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})\s*$)"));
  const auto m = hm.match(withTimeColon(text));
  if (!m.hasMatch())
    return std::nullopt;
  const int h = m.captured(1).toInt();
  const int mi = m.captured(2).toInt();
  if (h > 23 || mi > 59)
    return std::nullopt;
  return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(mi, 2, 10, QLatin1Char('0'));
}
