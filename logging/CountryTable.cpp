#include "logging/CountryTable.h"

#include "platform/VbText.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

bool CountryList::add(CountryEntry entry) {
  if (CountryCount() >= kCapacity)
    return false;
  const QString key = entry.CountryPrefix.toUpper();
  keys_.push_back(key);
  heads_.push_back(key.isEmpty() ? u'\0' : key.front().unicode());
  slots_.push_back(std::move(entry));
  return true;
}

void CountryList::clear() {
  slots_.resize(1);
  keys_.resize(1);
  heads_.resize(1);
}

namespace {

bool isBlankLine(const QString &line) {
  return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.isSpace() || c == QChar(0x1a); });
}

// A decimal number with "." as the point; one that a single cannot hold is no coordinate.
std::optional<float> coordinate(const QString &field) {
  bool ok = false;
  const float value = field.trimmed().toFloat(&ok);
  if (!ok || !vb::isNumeric(field) || !std::isfinite(value))
    return std::nullopt;
  return value;
}

} // namespace

bool readCountryList(const QString &content, CountryList &list) {
  static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
  for (const QString &line : content.split(lineEnd)) {
    // Hand-edited files often end with an empty line; it is no record.
    if (isBlankLine(line))
      continue;
    vb::FieldReader reader(line);
    std::array<QString, 8> fields;
    for (QString &field : fields) {
      auto value = reader.text();
      if (!value)
        return false;
      field = std::move(*value);
    }
    if (!reader.atEnd())
      return false;
    const auto longitude = coordinate(fields[3]);
    const auto latitude = coordinate(fields[4]);
    if (!longitude || !latitude)
      return false;
    if (!list.add({fields[0], fields[1], fields[2], *longitude, *latitude}))
      return false;
  }
  return true;
}

CountryMatch lookupCountry(const CountryList &list, const QString &call) {
  QString lookupCall = call;
  const qsizetype slash = call.indexOf(u'/');
  if (slash >= 0) {
    const qsizetype after = call.size() - slash - 1;
    if (after > 1 && static_cast<double>(after) < static_cast<double>(call.size()) / 2.0)
      lookupCall = call.right(after);
  }
  if (lookupCall.isEmpty())
    return {};

  const QString key = lookupCall.toUpper();
  const char16_t head = key.front().unicode();
  const int count = list.CountryCount();

  // The table is sorted, so each first character's block sits at about its place in the
  // alphabet; digits share the estimate of "A".
  const int code = std::max<int>(head, 'A');
  int start = std::clamp(static_cast<int>((code - 64) / 26.0 * count), 0, count);
  while (start > 1 && list.keyHead(start) == head)
    start = std::max(1, start - 5);

  const bool down = list.keyHead(start) > head;
  const int step = down ? -1 : 1;
  int best = 0;
  qsizetype bestLength = 0;
  // Runs on every keystroke over a thousand entries and more: only entries of the call's own
  // block can match, and those are compared inline.
  for (int i = start; down ? i >= 1 : i <= count; i += step) {
    const char16_t h = list.keyHead(i);
    if (h == head) {
      const QString &prefix = list.prefixKey(i);
      if (prefix.size() > bestLength && prefix.size() <= key.size() &&
          std::equal(prefix.begin(), prefix.end(), key.begin())) {
        best = i;
        bestLength = prefix.size();
      }
    }
    if (down ? h < head : h > head)
      break;
  }

  if (best == 0)
    return {CountryMatch::Outcome::NotFound, 0, QStringLiteral("Not Found")};
  CountryMatch match{CountryMatch::Outcome::Found, best, list.slot(best).CountryName};
  // Guantanamo Bay holds only five-character KG4 calls; the others are stateside.
  if (call.startsWith(QLatin1String("KG4"), Qt::CaseInsensitive) && (call.size() == 4 || call.size() >= 6)) {
    match.name = QStringLiteral("USA");
    match.index = 0;
    for (int i = 1; i <= count; ++i) {
      if (list.slot(i).CountryName.compare(match.name, Qt::CaseInsensitive) == 0) {
        match.index = i;
        break;
      }
    }
  }
  return match;
}

int countryByName(const CountryList &list, const QString &typed, Qt::CaseSensitivity cs) {
  for (int i = list.CountryCount(); i >= 1; --i) {
    if (list.slot(i).CountryName.startsWith(typed, cs))
      return i;
  }
  return 0;
}

std::optional<BeamHeading> beamHeading(double myLat, double myLon, double lat, double lon) {
  constexpr double k = 57.29577951; // degrees per radian
  constexpr double milesPerRadian = 3955.75791314991;
  // Below this distance from 1 the target is the station's point or its antipode (within metres).
  constexpr double kTouching = 1e-12;

  const double x = std::sin(lat / k) * std::sin(myLat / k) +
                   std::cos(lat / k) * std::cos(myLat / k) * std::cos((myLon - lon) / k);
  if (!(std::fabs(x) < 1.0 - kTouching))
    return std::nullopt;
  const double d = std::acos(x);
  const double y = (std::sin(lat / k) - x * std::sin(myLat / k)) / (std::cos(myLat / k) * std::sin(d));
  if (std::isnan(y))
    return std::nullopt;
  // Rounding can carry a target due north or south just past the arccos domain.
  const double h = std::acos(std::clamp(y, -1.0, 1.0)) * k;
  const double bearing = std::sin((myLon - lon) / k) <= 0 ? 360.0 - h : h;
  return BeamHeading{bearing, d * milesPerRadian};
}

HeadingTexts headingTexts(double myLat, double myLon, double lat, double lon) {
  const auto heading = beamHeading(myLat, myLon, lat, lon);
  if (!heading)
    return {};
  return {vb::formatNumber(heading->bearing, QStringLiteral("###")) + u' ',
          vb::formatNumber(heading->miles, QStringLiteral("##,###")) + u' '};
}
