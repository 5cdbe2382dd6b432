#pragma once
// The preferences file "orvexfnt.txt" in the program folder: seventeen values, one a line, in a
// fixed order, and the check of its UTC offset against the computer's clock.

#include <QDateTime>
#include <QString>

#include <optional>

struct KeyingState;
struct LoggingState;

// The preferences that no other part of the program's state keeps. The file's other values are
// the station settings, the band and the operating time (LoggingState) and the voice-navigation
// mode (KeyingState); the file is always written and read whole, from all of them. Without the
// file the start values stay (here and the mode "PH", band "20" and transmitter "1"): an empty
// rig type would start rig polling at the next start.
struct MainPreferences {
  int FormSizePercent = 100; // main-window size in per cent of the screen
  float RefreshMs = 6000;    // log-refresh interval
  QString RigType = QStringLiteral("None");
  int TaskbarLayout = 0; // 1: the main window fits the screen's work area
};

inline const QString kMainPreferencesFile = QStringLiteral("orvexfnt.txt");

// The whole file: the seventeen values in their order, each on a line ending CR LF.
QString mainPreferencesText(const LoggingState &logging, const KeyingState &keying,
                            const MainPreferences &prefs);

// Reads the values in file order straight into their variables. A missing value or a number
// that does not fit its type (a byte of 300) ends the reading with false; the values read
// before it keep their new contents. Text in a numeric line reads as 0.
bool readMainPreferences(const QString &content, LoggingState &logging, KeyingState &keying,
                         MainPreferences &prefs);

// The offset the computer's clock implies: UTC minus local time in whole minutes (the seconds
// play no part), in hours rounded to two decimals.
float recommendedUtcOffset(const QDateTime &utc, const QDateTime &local);

// The question offering `recommended` in place of `current`.
QString utcOffsetPrompt(const QDateTime &utc, const QDateTime &local, float recommended, float current);

// The typed answer as an offset; nothing for Cancel (empty), text or a number too large. A comma
// is taken as the decimal point when there is no point.
std::optional<float> utcOffsetAnswer(const QString &answer);
