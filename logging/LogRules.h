#pragma once
// Rules of logging a contact that need no window: serial numbers, time stamps, the backup
// line and the post-contest date and time forms.

#include "logging/LogArrays.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// The next serial number to send: one more than the reference contact's ("001" for none or
// for a serial that is not a number), zero-padded to three digits.
QString nextSerial(const LogArrays &log, bool perBand, const QString &band);

// A running points total grown by one contact, rounded to whole points, halves to even.
int addPoints(int total, float points);
int totalPoints(const LogArrays &log);

// "yyyy/mm/dd" and "hh:mm:ss" of the local time plus the operator's UTC offset, from one
// reading of the clock so that date and time never disagree across midnight.
struct UtcStamp {
  QString date;
  QString time;
};
UtcStamp utcStamp(const QDateTime &local, float offsetHours);
QDateTime utcFromLocal(const QDateTime &local, float offsetHours);

// A logged contact's moment from its stored date and time texts. Edited contacts may carry
// "2024/5/25" or "7:05", so the date reads as year/month/day with one or two digits for month
// and day and the time as hours:minutes with optional seconds; anything else, or a day or
// hour that does not exist, is nullopt.
std::optional<QDateTime> storedDateTime(const QString &date, const QString &time);
// The date or the time alone, by the same rules, for writers that print each on its own.
std::optional<QDate> storedDate(const QString &date);
std::optional<QTime> storedTime(const QString &time);
// The moment as seconds of the wall clock since 1970, as the walks over the log compare them.
std::optional<std::int64_t> storedSeconds(const QString &date, const QString &time);
// Contact n's stored date and time as storedDate and storedTime read them, taken from the
// moment worked out when it entered the log where both were readable: writers of the whole
// log then parse nothing.
struct StoredDateAndTime {
  struct Day {
    int year, month, day;
  };
  struct Clock {
    int hour, minute, second;
  };
  std::optional<Day> date;
  std::optional<Clock> time;
};
StoredDateAndTime storedDateAndTime(const LogArrays &log, int n);
// The same parsed from the contact's texts.
StoredDateAndTime storedDateAndTime(const LogEntry &contact);

// One line of BckUpLog.Dat, CR LF included, and the whole file of the log's lines.
QString backupLine(const LogEntry &entry);
QString backupText(const LogArrays &log);

// Post-contest entry: a date as year/month/day (or month/day/year as a paper log has it)
// rewritten "yyyy/mm/dd"; a time "h:mm", "hh:mm", "hmm" or "hhmm" rewritten "hh:mm".
std::optional<QString> postContestDate(const QString &text);
std::optional<QString> postContestTime(const QString &text);
// Three or four digits "hmm"/"hhmm" with the colon put in before the minutes; other text as it is.
QString withTimeColon(const QString &text);
