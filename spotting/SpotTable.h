#pragma once
// The spot table: the newest 50 spots of all bands, slot 49 the newest, from which the band
// maps draw; and the rules the intake fills it and the main window's spot list by.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct SpotSlot {
  QString SpotCall;
  float SpotFreq = 0; // MHz; 0 marks a slot never filled or a spot removed
  // Arrival, local time. A slot never filled arrived at the old platform's date 0, so that
  // every age rule takes it as long gone.
  QDateTime SpotTime;
  QString SpotPrefix; // the caption of the spot's band-map label
  QString SpotStatus; // nothing sets it
};

struct SpottingState {
  static constexpr int kSlots = 50;
  static constexpr int kNewest = kSlots - 1;
  SpottingState();
  std::array<SpotSlot, kSlots> SpotTable;
};

// The band-map caption of a call: up to its last digit, or the part before or after a slash.
QString PreFixFromCall(const QString &call);

// Shifts the table one slot towards 0, puts the spot into the newest slot and retires the
// nearest older spot of the same call (slots 48 to 1; slot 0 is left to drop out).
void storeSpot(SpottingState &spots, const QString &call, float mhz, const QDateTime &arrival);

// The kilohertz text of a spot as megahertz, its "Frequency" text and its table value; none
// when the text is not a number.
struct SpotFrequency {
  double mhz = 0;
  QString text;
};
std::optional<SpotFrequency> spotFrequency(const QString &kilohertz);

// The record up to its first CR.
QString cutRecord(const QString &record);

// The eight texts of a spot-list row ("Call", "Frequency", "QTH", "Status", "Comments",
// "Prefix", "Time", "From") from the record already cut.
QStringList spotListRow(const QString &call, const QString &frequency, const QString &country,
                        const QString &status, const QString &record);
