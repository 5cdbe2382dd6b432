#pragma once
// Points of a contact, the list of worked prefixes (the multipliers) and the score texts.

#include "logging/LogArrays.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>

struct PointsInput {
  QString country;   // the country field as it stands
  QString continent; // continent of the last country found
  QString myCountry;
  QString myContinent;
  QString band; // "160" ... "10"
  QString mode; // "PH", "CW", "RY"
};

// The points the entry row offers for a contact, as text; empty when no country is known
// (an empty field or "Not Found"). Other continents score 3 (6 on 160, 80 and 40 m), the own
// country 1, another country of the own continent 1 (North America: 2), doubled on the low
// bands; RTTY scores 2 within the continent and doubles the own country on the low bands too.
QString contactPoints(const PointsInput &in);

// The worked prefixes, distinct without regard to case, each kept as first logged.
class WorkedPrefixes {
public:
  int WorkedPrefixCount() const { return static_cast<int>(list_.size()); }
  const QStringList &entries() const { return list_; }
  bool contains(const QString &prefix) const { return seen_.contains(prefix.toUpper()); }
  void clear();

  // Appends a prefix not yet in the list; the order is restored by sort().
  void addDistinct(const QString &prefix);
  // Ascending text order without regard to case.
  void sort();
  // Inserts a prefix not yet in the list at its place in the sorted list.
  void insertInOrder(const QString &prefix);

  // Every entry followed by one blank, as the prefix display shows them.
  QString displayText() const;

private:
  QStringList list_;
  QSet<QString> seen_; // upper-case forms of the entries
};

// The distinct prefixes of every contact of the log, sorted.
WorkedPrefixes countPrefixes(const LogArrays &log);

// Whole numbers as the score labels show them: thousands grouped by the locale, at least "0".
QString scoreText(std::int64_t value);

// The claimed score: the points total times the number of worked prefixes.
std::int64_t claimedScore(int totalPoints, int prefixCount);
