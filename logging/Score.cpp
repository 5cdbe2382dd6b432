#include "logging/Score.h"

#include "logging/StationSetup.h"
#include "platform/VbText.h"

#include <algorithm>

namespace {

bool same(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool lessText(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

QString contactPoints(const PointsInput &in) {
  if (in.country.isEmpty() || same(in.country, QStringLiteral("Not Found")))
    return {};
  const bool low = same(in.band, QStringLiteral("160")) || same(in.band, QStringLiteral("80")) ||
                   same(in.band, QStringLiteral("40"));
  const auto pick = [low](const char *high, const char *lowBand) {
    return QString::fromLatin1(low ? lowBand : high);
  };
  const bool rtty = contestModeFor(in.mode) == ContestMode::RTTY;
  if (same(in.country, in.myCountry))
    return rtty ? pick("1", "2") : QStringLiteral("1");
  if (!same(in.continent, in.myContinent))
    return pick("3", "6");
  if (rtty || same(in.myContinent, QStringLiteral("NA")))
    return pick("2", "4");
  return pick("1", "2");
}

void WorkedPrefixes::clear() {
  list_.clear();
  seen_.clear();
}

void WorkedPrefixes::addDistinct(const QString &prefix) {
  if (contains(prefix))
    return;
  seen_.insert(prefix.toUpper());
  list_.append(prefix);
}

void WorkedPrefixes::sort() {
  // A load sorts its count on the worker; the display's sort then only checks it.
  if (!std::is_sorted(list_.begin(), list_.end(), lessText))
    std::sort(list_.begin(), list_.end(), lessText);
}

void WorkedPrefixes::insertInOrder(const QString &prefix) {
  if (contains(prefix))
    return;
  seen_.insert(prefix.toUpper());
  list_.insert(std::upper_bound(list_.begin(), list_.end(), prefix, lessText), prefix);
}

QString WorkedPrefixes::displayText() const {
  // Made in one piece: a large log's reload builds it on the user-interface thread.
  qsizetype size = 0;
  for (const QString &p : list_)
    size += p.size() + 1;
  QString text;
  text.reserve(size);
  for (const QString &p : list_) {
    text += p;
    text += u' ';
  }
  return text;
}

WorkedPrefixes countPrefixes(const LogArrays &log) {
  WorkedPrefixes prefixes;
  for (int n = 1; n <= log.ContactCount(); ++n)
    prefixes.addDistinct(log.slot(n).prefix);
  prefixes.sort();
  return prefixes;
}

QString scoreText(std::int64_t value) {
  return vb::formatNumber(static_cast<double>(value), QStringLiteral("###,###,###,###,##0"));
}

std::int64_t claimedScore(int totalPoints, int prefixCount) {
  return static_cast<std::int64_t>(totalPoints) * prefixCount;
}
