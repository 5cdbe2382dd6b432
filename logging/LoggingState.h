#pragma once
// What the logging side of one station PC knows: its station settings, the in-memory log and
// the counters of the LAN refresh, the dupe and entry flags, and the operating time.

#include "logging/CountryTable.h"
#include "logging/LogArrays.h"
#include "logging/Score.h"

#include <QDateTime>
#include <QString>

struct StationSettings {
  QString MyCall;
  float UtcOffsetHours = 0; // hours added to local time to get UTC
  QString ModeCode = QStringLiteral("PH");
  QString MyCountry;
  QString MyContinent;
  float MyLatitude = 0;
  float MyLongitude = 0; // west positive
  QString TransmitterNumber = QStringLiteral("1");
  int SerialPerBand = 0; // a byte; non-zero: a serial sequence on each band
  QString LogFilePath;
};

// The fields the entry row can carry a key into.
namespace carryTo {
constexpr int None = 0;
constexpr int Country = 2;
constexpr int Serial = 3;
constexpr int Report = 4;
} // namespace carryTo

struct LoggingState {
  StationSettings station;
  QString CurrentBand = QStringLiteral("20");

  LogArrays log;
  int TotalPoints = 0;
  WorkedPrefixes WorkedPrefixList;

  // The country list, loaded once at start, and the slot of the last country found (0: none).
  CountryList CountryTable;
  int CountryIndex = 0;

  // A key the entry row carries into another field: its character code, and the receiving field
  // (one of the carryTo:: fields).
  int CarryKey = 0;
  int CarryTarget = 0;

  // LAN refresh: the row count this PC last knew, and a pending reload.
  double KnownRowCount = 0;
  int LogChanged = 0;
  // Set by a load that failed part-way: the next tick reloads, and no backup is written from
  // a partial log.
  bool LogStale = false;
  int BackupTickCount = 0;

  int DupeFlag = 0;
  int IncompleteFlag = 0;
  QDateTime DupeWarnTime;

  // Contact list: 1 lists every contact rather than the newest 20; 1 shows partial dupes while
  // the call is typed.
  int ListAllFlag = 0;
  int PartialDupesOn = 1;

  // Operating time: seconds of closed periods, and including the current one.
  int LoggedOn = 0;
  QDateTime SessionStart;
  double TimeOnTotal = 0;
  double TimeOnRunning = 0;
};
