#pragma once
// The ADIF file for other logging programs: the DXCC table that gives each country its entity
// number, and the file's header and records. The text is written Latin-1, one byte a
// character, so every field length counts the bytes a reader skips.

#include "logging/LogArrays.h"
#include "logging/StationSetup.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The mode word the output files write for a contest mode: "SSB", "CW" or "RTTY".
QString modeWord(ContestMode mode);
// The word both exports write for a stored mode code; a code that is no contest mode is CW.
QString exportModeWord(const QString &modeCode);

// Country names and DXCC numbers as "ADIFCnt.txt" holds them, in file order.
class DxccTable {
public:
  static constexpr int kCapacity = 1000;

  // Records of a name and a number, separated by commas or line ends. A missing or unreadable
  // file, more than kCapacity records, a record cut short or a number outside 16 bits fail
  // with a description for the operator in `error`.
  static std::optional<DxccTable> read(const QString &path, QString *error);
  static std::optional<DxccTable> parse(const QString &content, QString *error);

  // The number of the first record naming the country (trimmed, without regard to case);
  // 0 for a country text of two characters or fewer, or one the table does not hold.
  int number(const QString &country) const;
  int size() const { return records_; }

private:
  QHash<QString, int> byName_; // a record's number by its folded name, the first record's
  int records_ = 0;
};

// The four-digit time on of a stored time: hours and minutes of a time the log can read,
// else the stored text cut before its seconds, to four characters, zero-padded in front.
QString adifTime(const QString &stored);

// "AK" for Alaska, "HI" for Hawaii, else empty.
QString adifState(const QString &country);

struct AdifHeader {
  QString title;      // the main window's title
  QString exportedOn; // the date of the export, as the operator reads dates
};

struct AdifAnswers {
  QString power;   // as typed; trailing blanks are dropped
  QString comment; // as typed
};

// The whole file as its Latin-1 bytes: header, then one record per contact of the log, CR LF
// line ends.
QByteArray adifText(const LogArrays &log, const QString &modeCode, const DxccTable &dxcc,
                 const AdifHeader &header, const AdifAnswers &answers);
