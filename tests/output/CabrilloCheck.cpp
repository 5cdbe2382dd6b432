#include "tests/output/CabrilloCheck.h"

#include <QRegularExpression>

namespace {

const QStringList kTags = {"START-OF-LOG", "CREATED-BY",       "ARRL-SECTION",  "CONTEST",   "CALLSIGN",
                           "CATEGORY",     "CATEGORY-OVERLAY", "CLAIMED-SCORE", "OPERATORS", "CLUB",
                           "NAME",         "ADDRESS",          "EMAIL",         "SOAPBOX",   "QSO",
                           "END-OF-LOG"};

// 1-based first and last column of each QSO field: a blank column stands before each field,
// so a value may reach the column before the next blank; the transmitter runs to the line's end.
struct Field {
  int first, last;
};
const Field kQsoFields[] = {{6, 10},  {12, 13}, {15, 24}, {26, 29}, {31, 43}, {45, 47},
                            {49, 54}, {56, 68}, {70, 72}, {74, 79}, {81, 200}};

void checkQso(const QString &line, int lineNo, CabrilloCheck &out) {
  const auto fault = [&](const QString &what) {
    out.faults << QStringLiteral("line %1: %2").arg(lineNo).arg(what);
  };
  if (line.size() < 81) {
    fault(QStringLiteral("nothing at column 81"));
    return;
  }
  QStringList fields;
  for (const Field &f : kQsoFields) {
    const QString raw = line.mid(f.first - 1, f.last - f.first + 1);
    if (line.at(f.first - 2) != u' ')
      fault(QStringLiteral("no blank before column %1").arg(f.first));
    // The frequency is right-aligned; every other field starts at its column.
    const bool frequency = f.first == 6;
    if (!frequency && (raw.isEmpty() || raw.at(0) == u' '))
      fault(QStringLiteral("nothing at column %1").arg(f.first));
    fields << raw.trimmed();
  }
  static const QRegularExpression freq(QStringLiteral("^(|1800|3500|7000|14000|21000|28000)$"));
  static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  static const QRegularExpression time(QStringLiteral("^\\d{4}$"));
  if (!freq.match(fields[0]).hasMatch())
    fault(QStringLiteral("frequency %1").arg(fields[0]));
  if (!date.match(fields[2]).hasMatch())
    fault(QStringLiteral("date %1").arg(fields[2]));
  if (!time.match(fields[3]).hasMatch())
    fault(QStringLiteral("time %1").arg(fields[3]));
  out.qsos.push_back(fields);
}

} // namespace

CabrilloCheck checkCabrillo(const QByteArray &file) {
  CabrilloCheck out;
  if (!file.endsWith("\r\n"))
    out.faults << QStringLiteral("the file does not end CR LF");
  const QString text = QString::fromLatin1(file);
  QStringList lines = text.split(QStringLiteral("\r\n"));
  lines.removeLast();
  for (int i = 0; i < lines.size(); ++i) {
    const QString &line = lines[i];
    if (line.contains(u'\r') || line.contains(u'\n'))
      out.faults << QStringLiteral("line %1: a bare line break").arg(i + 1);
    const QString tag = line.section(u':', 0, 0);
    if (!line.contains(u':') || !kTags.contains(tag))
      out.faults << QStringLiteral("line %1: unknown tag %2").arg(i + 1).arg(tag);
    else if (tag == QLatin1String("QSO"))
      checkQso(line, i + 1, out);
  }
  if (lines.isEmpty() || lines.first() != QLatin1String("START-OF-LOG: 2.0"))
    out.faults << QStringLiteral("START-OF-LOG: 2.0 is not the first line");
  if (lines.isEmpty() || lines.last() != QLatin1String("END-OF-LOG:"))
    out.faults << QStringLiteral("END-OF-LOG: is not the last line");
  return out;
}
