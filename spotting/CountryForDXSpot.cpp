#include "spotting/CountryForDXSpot.h"

#include "logging/CountryTable.h"

namespace {

// The first character of a slot's prefix, 0 for an empty one (below every character).
char16_t head(const CountryList &list, int n) {
  const QString &prefix = list.slot(n).CountryPrefix;
  return prefix.isEmpty() ? char16_t(0) : prefix[0].unicode();
}

} // namespace

QString countryForDXSpot(const CountryList &list, const QString &call) {
  QString lookup = call;
  const qsizetype slash = lookup.indexOf(u'/');
  if (slash >= 0) {
    const qsizetype after = lookup.size() - (slash + 1);
    // Exact division: fewer than half the call's characters.
    if (after > 1 && after * 2 < lookup.size())
      lookup = lookup.right(after);
  }
  if (lookup.isEmpty())
    return {};
  const int count = list.CountryCount();
  const char16_t first = lookup[0].unicode();
  const int code = std::max<int>(first, 65);
  int start = static_cast<int>((code - 64) / 26.0 * count);
  if (start > count || count == 0)
    return {};
  while (head(list, start) == first) {
    if (start == 1)
      break;
    start = std::max(start - 5, 1);
  }
  const bool down = head(list, start) > first;
  QString result;
  qsizetype best = 0;
  for (int i = start; down ? i >= 1 : i <= count; i += down ? -1 : 1) {
    const QString &prefix = list.slot(i).CountryPrefix;
    if (prefix.size() > best && lookup.startsWith(prefix)) {
      best = prefix.size();
      result = list.slot(i).CountryName;
    }
    const char16_t h = head(list, i);
    if (down ? h < first : h > first)
      break;
  }
  if (best > 0 && lookup.startsWith(QLatin1String("KG4")) && lookup.size() >= 6)
    return QStringLiteral("USA");
  return result;
}
