#include "output/LogMaintenance.h"

#include "app/SharedPreferences.h"
#include "logging/Bands.h"
#include "platform/VbText.h"

bool isContestBand(const QString &band) {
  return bandCodes().contains(band);
}

int countDuplicates(const LogArrays &log, int editIndex, const QString &call, const QString &band) {
  int found = 0;
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    if (n != editIndex && e.uband == band && e.calls == call)
      ++found;
  }
  return found;
}

bool isLogDatabasePath(const QString &path) {
  return path.trimmed().right(3).compare(QLatin1String("MDB"), Qt::CaseInsensitive) == 0;
}

BackupContents readBackup(const QString &content) {
  BackupContents out;
  vb::FieldReader reader(content);
  while (!reader.atEnd()) {
    // Backup order: calls, rstr, serialr, rsts, countryworked, flddate, fldtime, uband, points,
    // prefix, serials, trn.
    const auto f = reader.line();
    if (!f || f->size() != 12 || !vb::isNumeric(f->at(8))) {
      out.complete = false;
      break;
    }
    out.records.push_back({f->at(0), f->at(1), f->at(2), f->at(3), f->at(5), f->at(6), f->at(8), f->at(10),
                           f->at(7), f->at(11), f->at(4), f->at(9)});
  }
  return out;
}

bool appendContacts(LogDb &log, const std::vector<ContactRecord> &records, bool skipDuplicates) {
  for (const ContactRecord &r : records) {
    if (skipDuplicates) {
      const auto rows = log.rowsForCall(r.calls);
      if (!rows)
        return false;
      // The rows share the call already.
      const auto sameBand = [&r](const ContactRecord &row) {
        return row.uband.compare(r.uband, Qt::CaseInsensitive) == 0;
      };
      if (std::any_of(rows->begin(), rows->end(), sameBand))
        continue;
    }
    if (!log.insert(r))
      return false;
  }
  return true;
}

QString archiveFileName(const QString &myCall, const QDate &today) {
  return CallToFileName(myCall) + today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".mdb");
}
