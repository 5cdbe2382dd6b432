#pragma once
// Operating time and the clocks: the running total of time on, its "hh:mm:ss" display, the
// time-off notice and the local and UTC clock texts.

#include <QDateTime>
#include <QLocale>
#include <QString>

// The time-on button's caption while logged off and while logged on.
QString logOnCaption(bool loggedOn);

// Seconds of operating time: the closed periods plus the whole seconds since the period began.
double runningOperatingTime(double closedTotal, const QDateTime &sessionStart, const QDateTime &now);

// "hh:mm:ss" of an operating time; each part keeps its last two digits, so hours wrap after 99.
QString operatingTimeText(double seconds);

// The status line at time off, in UTC: when the break began and when to log on again.
QString loggedOffMessage(const QDateTime &local, float utcOffsetHours, const QLocale &locale);

// The UTC clock, "hh:nn:ss" on 24 hours.
QString utcClockText(const QDateTime &local, float utcOffsetHours);

// The local clock on 12 hours ("h:nn:ss") and its designator beside it.
struct TwelveHourClock {
  QString time;
  QString designator;
};
TwelveHourClock localClock(const QDateTime &local, const QLocale &locale);
