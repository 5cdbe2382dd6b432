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

namespace {

// Names compare without regard to case: the table is keyed by their folded forms.
QString nameKey(const QString &name) {
  return name.toCaseFolded();
}

} // namespace

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
    // The first record naming a country wins.
    if (const QString key = nameKey(*name); !table.byName_.contains(key))
      table.byName_.insert(key, *number);
    ++table.records_;
  }
  return table;
}

int DxccTable::number(const QString &country) const {
  if (country.size() <= 2)
    return 0;
  return byName_.value(nameKey(country.trimmed()), 0);
}

namespace {

void appendNumber(QString &out, qsizetype value) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (n > 0)
    out += QLatin1Char(digits[--n]);
}

// "<Tag:length>value", the value written as the parts given one after the other.
void appendField(QString &out, QLatin1StringView tag, const QString &value, QStringView suffix = {}) {
  out += u'<';
  out += tag;
  out += u':';
  appendNumber(out, value.size() + suffix.size());
  out += u'>';
  out += value;
  out += suffix;
}

void appendTwoDigits(QString &out, int value) {
  out += QChar(u'0' + value / 10 % 10);
  out += QChar(u'0' + value % 10);
}

} // namespace

QString adifTime(const QString &stored) {
  if (const auto time = storedTime(stored)) {
    QString hhmm;
    appendTwoDigits(hhmm, time->hour());
    appendTwoDigits(hhmm, time->minute());
    return hhmm;
  }
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
  out.reserve(out.size() + static_cast<qsizetype>(log.ContactCount()) * 200);
  const QString mode = exportModeWord(modeCode);
  const QString power = vb::rtrim(answers.power);
  QString lastCountry;
  int lastNumber = dxcc.number(lastCountry);

  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    // Line one: its fields separated by blanks.
    if (!e.calls.isEmpty()) {
      appendField(out, QLatin1StringView("Call"), e.calls);
      out += u' ';
    }
    if (const auto date = storedDate(e.flddate)) {
      int year = 0, month = 0, day = 0;
      date->getDate(&year, &month, &day);
      out += QLatin1String("<Qso_Date:8:d>");
      appendTwoDigits(out, year / 100);
      appendTwoDigits(out, year % 100);
      appendTwoDigits(out, month);
      appendTwoDigits(out, day);
      out += u' ';
    }
    appendField(out, QLatin1StringView("Band"), e.uband, u"M");
    out += u' ';
    appendField(out, QLatin1StringView("Mode"), mode);
    out += kEnd;

    // Line two: each field followed by a blank.
    const auto add = [&out](const char *tag, const QString &value) {
      appendField(out, QLatin1StringView(tag), value);
      out += u' ';
    };
    if (!power.isEmpty())
      add("Tx_Pwr", power);
    if (const QString time = adifTime(e.fldtime); time >= QLatin1String("0000"))
      add("Time_On", time);
    // Contacts in a row are often with one country: its number is looked up once.
    if (e.countryworked != lastCountry) {
      lastCountry = e.countryworked;
      lastNumber = dxcc.number(lastCountry);
    }
    if (lastNumber > 0)
      add("DXCC", QString::number(lastNumber));
    if (const QString state = adifState(e.countryworked); !state.isEmpty())
      add("State", state);
    // Trailing blanks off, as the log's fields are padded by some editors; leading ones stay.
    for (const auto &[tag, value] :
         {std::pair{"RST_Sent", &e.rsts}, std::pair{"RST_Rcvd", &e.rstr}, std::pair{"Pfx", &e.prefix}}) {
      if (const QString v = vb::rtrim(*value); !v.isEmpty())
        add(tag, v);
    }
    // Without a comment the record's end follows on the same line.
    if (!answers.comment.isEmpty()) {
      appendField(out, QLatin1StringView("Comment"), answers.comment);
      out += kEnd;
    }
    out += QLatin1String("<eor>");
    out += kEnd;
    out += kEnd;
  }
  return out;
}
