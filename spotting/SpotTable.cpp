#include "spotting/SpotTable.h"

#include "platform/Clock.h"
#include "platform/VbText.h"

#include <algorithm>

SpottingState::SpottingState() {
  for (SpotSlot &slot : SpotTable)
    slot.SpotTime = wallClock(QDate(1899, 12, 30), QTime(0, 0));
}

QString PreFixFromCall(const QString &call) {
  const qsizetype length = call.size();
  if (length < 3)
    return {};
  qsizetype slash = 0, lastDigit = 0, firstDigit = 0;
  for (qsizetype i = 1; i <= length; ++i) {
    const QChar c = call[i - 1];
    if (c == u'/')
      slash = i;
    if (c >= u'0' && c <= u'9') {
      lastDigit = i;
      if (firstDigit == 0)
        firstDigit = i;
    }
  }
  if (lastDigit == 0)
    lastDigit = length;
  if (slash == 0)
    return call.left(lastDigit);
  // Exact division: the slash of a 7-character call at 4 lies before 4.5.
  if (slash * 2 < length + 2)
    return call.left(slash - 1);
  const QString after = call.mid(slash, lastDigit);
  if (vb::isNumeric(after))
    return call.left(firstDigit - 1) + after;
  return after;
}

void storeSpot(SpottingState &spots, const QString &call, float mhz, const QDateTime &arrival) {
  auto &table = spots.SpotTable;
  std::shift_left(table.begin(), table.end(), 1);
  table[SpottingState::kNewest] = {call, mhz, arrival, PreFixFromCall(call), {}};
  for (int i = SpottingState::kNewest - 1; i >= 1; --i) {
    if (table[i].SpotCall.compare(call, Qt::CaseInsensitive) == 0) {
      table[i].SpotFreq = 0;
      break;
    }
  }
}

std::optional<SpotFrequency> spotFrequency(const QString &kilohertz) {
  if (!vb::isNumeric(kilohertz))
    return std::nullopt;
  const double mhz = vb::val(kilohertz) / 1000;
  return SpotFrequency{mhz, vb::numberText(mhz)};
}

QString cutRecord(const QString &record) {
  const qsizetype cr = record.indexOf(u'\r');
  return cr < 0 ? record : record.left(cr);
}

QStringList spotListRow(const QString &call, const QString &frequency, const QString &country,
                        const QString &status, const QString &record) {
  // Positions count from 1 in the record; past its end they give empty text.
  const auto mid = [&record](int from, int to) { return record.mid(from - 1, to - from + 1); };
  return {call,
          frequency,
          country,
          status,
          vb::trim(mid(1, 11)) + QStringLiteral("  ") + vb::trim(mid(35, 59)),
          vb::trim(mid(62, 66)),
          mid(68, 71),
          vb::trim(mid(73, 76))};
}
