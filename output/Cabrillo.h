#pragma once
// The contest entry as a Cabrillo 2.0 file: the summary-sheet header lines and one QSO line per
// contact at fixed columns. Contest robots and scoring tools read these files, so the tags,
// words and columns stay exactly as they are.

#include "logging/LogArrays.h"

#include <QByteArray>
#include <QString>

enum class OperatorCategory { None, Single, SingleAssisted, Multiple, Checklog };
enum class TransmitterCategory { None, One, Two, Multi };
enum class PowerCategory { None, High, Low, Qrp };

// The summary sheet's choices. A choice not made adds nothing to the CATEGORY line; the
// transmitters count only with Multiple.
struct CabrilloCategory {
  OperatorCategory op = OperatorCategory::Single;
  TransmitterCategory transmitters = TransmitterCategory::None;
  QString band = QStringLiteral("ALL");
  PowerCategory power = PowerCategory::Low;
  bool rookie = false;
  bool bandLimited = false;
  bool tbWires = false;
};

struct CabrilloHeader {
  QString programTitle; // its first 45 characters, blanks included, are the CREATED-BY value
  QString section;
  QString modeCode;
  QString myCall;
  CabrilloCategory category;
  double claimedScore = 0;
  QString operators; // empty: the own call operated alone
  QString club, name, address1, address2, email, soapbox;
};

// The frequency column of a band: its lower edge in kHz, five characters wide ("20" gives
// "14000", "160" gives " 1800"); a band that is none of the six gives "".
QString cabrilloFrequency(const QString &band);

// One QSO line, CR LF included.
QString cabrilloQsoLine(const LogEntry &contact, const QString &modeCode, const QString &myCall);

// The whole file as its Latin-1 bytes: header, the QSO lines of contacts 1 to ContactCount in
// order, END-OF-LOG.
QByteArray cabrilloLog(const CabrilloHeader &header, const LogArrays &log);
