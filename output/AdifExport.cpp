#include "output/AdifExport.h"

#include "logging/LogRules.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QDir>

#include <cstdint>
#include <limits>

QString modeWord(ContestMode mode) {
  switch (mode) {
  case ContestMode::Phone:
    return QStringLiteral("SSB");
  case ContestMode::RTTY:
    return QStringLiteral("RTTY");
  case ContestMode::CW:
    break;
  }
  return QStringLiteral("CW");
}

QString exportModeWord(const QString &modeCode) {
  return modeWord(contestModeFor(modeCode).value_or(ContestMode::CW));
}

std::optional<DxccTable> DxccTable::read(const QString &path, QString *error) {
  QString reason;
  const auto content = vb::readLatin1(path, &reason);
  if (!content) {
    *error = files::exists(path)
                 ? QStringLiteral("The DXCC table %1 could not be read: %2")
                       .arg(QDir::toNativeSeparators(path), reason)
                 : QStringLiteral("The DXCC table ADIFCnt.txt was not found in the shared, data or "
                                  "program folder.");
    return std::nullopt;
  }
  return parse(*content, error);
}

std::optional<DxccTable> DxccTable::parse(const QString &content, QString *error) {
  DxccTable table;
  vb::FieldReader reader(content);
  while (!reader.atEnd()) {
    const int record = table.size() + 1;
    if (record > kCapacity) {
      *error = QStringLiteral("The DXCC table ADIFCnt.txt holds more than 1,000 records.");
      return std::nullopt;
    }
    const auto name = reader.text();
    const auto number =
        reader.integer(std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!name || !number) {
      *error = QStringLiteral("The DXCC table ADIFCnt.txt is damaged at record %1: each record must be "
                              "a country name and a DXCC number.")
                   .arg(record);
      return std::nullopt;
    }
    table.entries_.emplace_back(*name, *number);
  }
  return table;
}

int DxccTable::number(const QString &country) const {
  if (country.size() <= 2)
    return 0;
  const QString name = country.trimmed();
  for (const auto &[entry, number] : entries_) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0)
      return number;
  }
  return 0;
}

namespace {

QString field(const char *tag, const QString &value) {
  return u'<' + QLatin1String(tag) + u':' + QString::number(value.size()) + u'>' + value;
}

} // namespace

QString adifTime(const QString &stored) {
  if (const auto time = storedTime(stored))
    return time->toString(QStringLiteral("HHmm"));
  QString t = stored.trimmed();
  if (const qsizetype colon = t.indexOf(u':'); colon >= 0)
    t = t.left(colon) + t.mid(colon + 1, 2);
  return t.left(4).rightJustified(4, u'0');
}

QString adifState(const QString &country) {
  const QString name = country.trimmed();
  if (name.compare(QLatin1String("Alaska"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("AK");
  if (name.compare(QLatin1String("Hawaii"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("HI");
  return QString();
}

QString adifText(const LogArrays &log, const QString &modeCode, const DxccTable &dxcc,
                 const AdifHeader &header, const AdifAnswers &answers) {
  static const QString kEnd = QStringLiteral("\r\n");
  QString out = QStringLiteral("ADIF Export from ") + header.title.left(60).trimmed() + kEnd +
                QStringLiteral("Log exported on: ") + header.exportedOn + kEnd + kEnd +
                QStringLiteral("<EOH>") + kEnd + kEnd;
  const QString mode = exportModeWord(modeCode);
  const QString power = vb::rtrim(answers.power);

  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    QStringList one;
    if (!e.calls.isEmpty())
      one << field("Call", e.calls);
    if (const auto date = storedDate(e.flddate)) {
      const QString ymd = date->toString(QStringLiteral("yyyyMMdd"));
      one << QStringLiteral("<Qso_Date:") + QString::number(ymd.size()) + QStringLiteral(":d>") + ymd;
    }
    one << field("Band", e.uband + u'M') << field("Mode", mode);
    out += one.join(u' ') + kEnd;

    QString two;
    const auto add = [&two](const char *tag, const QString &value) { two += field(tag, value) + u' '; };
    if (!power.isEmpty())
      add("Tx_Pwr", power);
    if (const QString time = adifTime(e.fldtime); time >= QLatin1String("0000"))
      add("Time_On", time);
    if (const int number = dxcc.number(e.countryworked); number > 0)
      add("DXCC", QString::number(number));
    if (const QString state = adifState(e.countryworked); !state.isEmpty())
      add("State", state);
    // Trailing blanks off, as the log's fields are padded by some editors; leading ones stay.
    for (const auto &[tag, value] :
         {std::pair{"RST_Sent", e.rsts}, std::pair{"RST_Rcvd", e.rstr}, std::pair{"Pfx", e.prefix}}) {
      if (const QString v = vb::rtrim(value); !v.isEmpty())
        add(tag, v);
    }
    // Without a comment the record's end follows on the same line.
    if (!answers.comment.isEmpty())
      two += field("Comment", answers.comment) + kEnd;
    out += two + QStringLiteral("<eor>") + kEnd + kEnd;
  }
  return out;
}
