#include "logging/ContactList.h"

#include "logging/Bands.h"
#include "logging/LogRules.h"
#include "platform/VbText.h"

namespace {

QString twoDigits(int value) {
  return QString::number(value).rightJustified(2, u'0');
}

} // namespace

std::vector<int> listedSlots(const LogArrays &log, bool listAll, bool currentBandOnly, const QString &band) {
  std::vector<int> listed;
  for (int n = log.ContactCount(); n >= 1; --n) {
    if (currentBandOnly && !sameBand(log.slot(n).uband, band))
      continue;
    listed.push_back(n);
    if (!listAll && listed.size() == kShortListRows)
      break;
  }
  return listed;
}

QString listCell(const LogArrays &log, int slot, int column) {
  // The columns that show a field as it stands; the others are worked out below.
  static constexpr QString LogEntry::*kFields[kListColumns] = {nullptr,
                                                               &LogEntry::calls,
                                                               &LogEntry::rstr,
                                                               &LogEntry::serialr,
                                                               &LogEntry::rsts,
                                                               &LogEntry::serials,
                                                               nullptr,
                                                               &LogEntry::uband,
                                                               &LogEntry::countryworked,
                                                               &LogEntry::prefix,
                                                               nullptr,
                                                               &LogEntry::trn};
  const LogEntry &e = log.slot(slot);
  if (column < 0 || column >= kListColumns)
    return QString();
  if (kFields[column])
    return e.*kFields[column];
  if (column == 0)
    return QString::number(slot);
  if (column == 10)
    return vb::singleText(e.points);
  // A stored date or time the list cannot read is shown as it stands.
  const StoredDateAndTime when = storedDateAndTime(log, slot);
  return (when.date ? twoDigits(when.date->day) : e.flddate) + u' ' +
         (when.time ? twoDigits(when.time->hour) + u':' + twoDigits(when.time->minute) : e.fldtime);
}

QsoRates qsoRates(const LogArrays &log, const QDateTime &utcNow) {
  int hour = 0;
  int twenty = 0;
  const std::int64_t now = utcNow.toSecsSinceEpoch();
  for (int n = log.ContactCount(); n >= 1; --n) {
    const std::int64_t when = log.key(n).when;
    if (when == ContactKey::kNoTime)
      break;
    const std::int64_t age = now - when;
    if (age < 1200)
      ++twenty;
    if (age >= 3600)
      break;
    ++hour;
  }
  return {hour, twenty * 3};
}

QString clipboardText(const QStringList &headers, const std::vector<QStringList> &shownRows) {
  const QString lineEnd = QStringLiteral("\r\n");
  QString text = headers.join(u'\t') + lineEnd;
  for (auto row = shownRows.rbegin(); row != shownRows.rend(); ++row)
    text += row->join(u'\t') + lineEnd;
  return text;
}
