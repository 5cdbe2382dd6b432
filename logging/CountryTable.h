#pragma once
// The country list: call-sign prefixes with their country, continent and location, read from
// "arrlpre2.txt" (eight quoted fields a record, sorted by prefix). The lookup, the beam heading
// and distance, and the country type-ahead all work on it.

#include <QString>

#include <optional>
#include <vector>

struct CountryEntry {
  QString CountryPrefix;
  QString CountryName;
  QString CountryContinent;
  float CountryLongitude = 0; // degrees, west positive
  float CountryLatitude = 0;  // degrees, north positive
};

// Slots 1 to CountryCount() in file order; slot 0 is an empty entry the lookup may start on.
class CountryList {
public:
  static constexpr int kCapacity = 10000;

  int CountryCount() const { return static_cast<int>(slots_.size()) - 1; }
  const CountryEntry &slot(int n) const { return slots_.at(static_cast<size_t>(n)); }
  // The prefix of slot n in upper case, as the lookup compares it.
  const QString &prefixKey(int n) const { return keys_[static_cast<size_t>(n)]; }
  // The first character of that key, or 0 for an empty prefix (below every character).
  char16_t keyHead(int n) const { return heads_[static_cast<size_t>(n)]; }
  // False, and nothing added, once the list is full.
  bool add(CountryEntry entry);
  void clear();

private:
  std::vector<CountryEntry> slots_{CountryEntry{}};
  std::vector<QString> keys_{QString()};
  // The first characters of the keys, side by side: most of a scan only looks at these.
  std::vector<char16_t> heads_{0};
};

// Reads the records of a country list file into `list`, which keeps every record read
// completely. Blank lines are skipped. False on the first malformed record (not eight fields,
// a coordinate that is no number) or a record beyond the capacity.
bool readCountryList(const QString &content, CountryList &list);

// The file name the program looks for in the shared, data and program folders.
constexpr QLatin1String kCountryFileName("arrlpre2.txt");

struct CountryMatch {
  enum class Outcome {
    NoCall,   // nothing to look up: the displays keep what they show
    NotFound, // no prefix of the table begins the call
    Found,
  };
  Outcome outcome = Outcome::NoCall;
  int index = 0; // the slot found, 0 for none
  QString name;  // the country to show
};

// The country of a call. A call with a portable suffix of more than one character (after the
// first slash, shorter than half the call) is looked up by that suffix. The search starts at
// the estimated block of the call's first character and keeps the longest prefix, the first
// one met on a tie. KG4 calls of 4 or of 6 and more characters are the USA.
CountryMatch lookupCountry(const CountryList &list, const QString &call);

// The last slot whose country name begins with `typed` (in any case unless asked otherwise),
// 0 for none.
int countryByName(const CountryList &list, const QString &typed,
                  Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Great-circle bearing (degrees from north, 0 to 360) and distance (statute miles) from the
// station to a target, coordinates in degrees with longitude west positive. None when the
// target is the station's own point or its antipode, where no bearing exists.
struct BeamHeading {
  double bearing = 0;
  double miles = 0;
};
std::optional<BeamHeading> beamHeading(double myLat, double myLon, double lat, double lon);

// The bearing ("###") and distance ("##,###", locale grouping) texts shown beside the entry
// row, each followed by one blank; both empty when no bearing exists.
struct HeadingTexts {
  QString bearing;
  QString distance;
};
HeadingTexts headingTexts(double myLat, double myLon, double lat, double lon);
