#include "tests/output/ExportTestData.h"

#include "logging/LogRules.h"
#include "tests/support/TestContext.h"

#include <QFile>

std::vector<ContactRecord> goldenContacts() {
  const auto contact = [](const char *call, const char *rstr, const char *rsts, const char *date,
                          const char *time, const char *band, const QString &country, const char *prefix) {
    ContactRecord r;
    r.calls = QString::fromLatin1(call);
    r.rstr = QString::fromLatin1(rstr);
    r.serialr = QStringLiteral("001");
    r.rsts = QString::fromLatin1(rsts);
    r.flddate = QString::fromLatin1(date);
    r.fldtime = QString::fromLatin1(time);
    r.points = QStringLiteral("1");
    r.serials = QStringLiteral("001");
    r.uband = QString::fromLatin1(band);
    r.trn = QStringLiteral("1");
    r.countryworked = country;
    r.prefix = QString::fromLatin1(prefix);
    return r;
  };
  return {
      contact("DL1XYZ", "599", "599", "2024/05/25", "12:34:56", "20", QStringLiteral("Fed. Rep. of Germany"),
              "DL1"),
      contact("", "57 ", "59  ", "2024/5/25", "9:05:00", "40", QStringLiteral("alaska"), "KL7"),
      contact("KH6AB", "", "", "2024/02/30", "905", "", QStringLiteral("Hawaii"), ""),
      contact("IT9ABC", "599", "599", "2024/05/26", "-1", "15", QStringLiteral("Sicily"), "IT9"),
      contact("ZZ9ZZ", "599", "599", "2024/05/26", "0001", "10", QStringLiteral("XX"), "ZZ9"),
      contact("PJ2/W1AW", "599", "599", "2024/05/26", "23:59", "160", QStringLiteral("Curaçao"), "PJ2"),
  };
}

LogArrays goldenLog() {
  LogArrays log;
  for (const ContactRecord &r : goldenContacts())
    log.append(entryFromRecord(r));
  return log;
}

QByteArray golden(const char *name) {
  QFile f(sourceDataDir() + QStringLiteral("/../tests/output/golden/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly))
    return QByteArray("missing golden file ") + name;
  return f.readAll();
}

QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

LogEntry cabrilloContact(const QString &band, const QString &date, const QString &time,
                         const QString &serials, const QString &call, const QString &serialr) {
  LogEntry e;
  e.uband = band;
  e.flddate = date;
  e.fldtime = time;
  e.rsts = QStringLiteral("599");
  e.serials = serials;
  e.calls = call;
  e.rstr = QStringLiteral("599");
  e.serialr = serialr;
  e.trn = QStringLiteral("1");
  return e;
}
