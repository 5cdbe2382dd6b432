#include "output/AdifExport.h"

#include "logging/LogRules.h"
#include "output/ByteWriter.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QDir>

#include <array>
#include <cstdint>
#include <limits>
#include <utility>

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

// "<Tag:length>" of a field whose value follows.
void tagOf(ByteWriter &out, QByteArrayView tag, qsizetype length) {
  out.put('<');
  out.bytes(tag);
  out.put(':');
  out.number(length);
  out.put('>');
}

// "<Tag:length>value" of a value in Latin-1 bytes or in text.
void field(ByteWriter &out, QByteArrayView tag, QByteArrayView value) {
  tagOf(out, tag, value.size());
  out.bytes(value);
}
void field(ByteWriter &out, QByteArrayView tag, QStringView value, QByteArrayView suffix = {}) {
  tagOf(out, tag, value.size() + suffix.size());
  out.text(value);
  out.bytes(suffix);
}

// "hhmm" of a time of day.
std::array<char, 4> hoursAndMinutes(int hour, int minute) {
  return {static_cast<char>('0' + hour / 10 % 10), static_cast<char>('0' + hour % 10),
          static_cast<char>('0' + minute / 10 % 10), static_cast<char>('0' + minute % 10)};
}

// The text without its trailing blanks, as vb::rtrim leaves it.
QStringView withoutTrailingBlanks(QStringView s) {
  while (!s.isEmpty() && s.back() == u' ')
    s.chop(1);
  return s;
}

// What a record writes for a country, looked up once per country text the log holds.
struct CountryFields {
  CountryFields(int number, QString stateCode)
      : dxcc(number), dxccText(QByteArray::number(number)), state(std::move(stateCode)) {}
  int dxcc;
  QByteArray dxccText;
  QString state;
};

} // namespace

QString adifTime(const QString &stored) {
  if (const auto time = storedTime(stored)) {
    const auto hhmm = hoursAndMinutes(time->hour(), time->minute());
    return QString::fromLatin1(hhmm.data(), 4);
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

QByteArray adifText(const LogArrays &log, const QString &modeCode, const DxccTable &dxcc,
                    const AdifHeader &header, const AdifAnswers &answers) {
  QByteArray out = (QStringLiteral("ADIF Export from ") + header.title.left(60).trimmed() +
                    QStringLiteral("\r\nLog exported on: ") + header.exportedOn)
                       .toLatin1();
  out += "\r\n\r\n<EOH>\r\n\r\n";
  out.reserve(out.size() + static_cast<qsizetype>(log.ContactCount()) * 200);
  const QString mode = exportModeWord(modeCode);
  const QString power = vb::rtrim(answers.power);
  QHash<QString, CountryFields> countries;

  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    const StoredDateAndTime when = storedDateAndTime(log, n);
    auto country = countries.constFind(e.countryworked);
    if (country == countries.cend())
      country = countries.insert(e.countryworked, {dxcc.number(e.countryworked), adifState(e.countryworked)});
    // The tags and their lengths, and every value at most.
    ByteWriter record(out, 320 + e.calls.size() + e.uband.size() + mode.size() + power.size() +
                               e.fldtime.size() + e.rsts.size() + e.rstr.size() + e.prefix.size() +
                               answers.comment.size());

    // Line one: its fields separated by blanks.
    if (!e.calls.isEmpty()) {
      field(record, "Call", e.calls);
      record.put(' ');
    }
    if (const auto &d = when.date) {
      record.bytes("<Qso_Date:8:d>");
      record.digits(d->year, 4);
      record.digits(d->month, 2);
      record.digits(d->day, 2);
      record.put(' ');
    }
    field(record, "Band", e.uband, "M");
    record.put(' ');
    field(record, "Mode", mode);
    record.bytes("\r\n");

    // Line two: each field followed by a blank.
    const auto add = [&record](QByteArrayView tag, const auto &value) {
      field(record, tag, value);
      record.put(' ');
    };
    if (!power.isEmpty())
      add("Tx_Pwr", QStringView(power));
    if (const auto &t = when.time) {
      const auto hhmm = hoursAndMinutes(t->hour, t->minute);
      add("Time_On", QByteArrayView(hhmm.data(), 4));
    } else if (const QString time = adifTime(e.fldtime); time >= QLatin1String("0000")) {
      add("Time_On", QStringView(time));
    }
    if (country->dxcc > 0)
      add("DXCC", QByteArrayView(country->dxccText));
    if (!country->state.isEmpty())
      add("State", QStringView(country->state));
    // Trailing blanks off, as the log's fields are padded by some editors; leading ones stay.
    for (const auto &[tag, value] :
         {std::pair{"RST_Sent", &e.rsts}, std::pair{"RST_Rcvd", &e.rstr}, std::pair{"Pfx", &e.prefix}}) {
      if (const QStringView v = withoutTrailingBlanks(*value); !v.isEmpty())
        add(tag, v);
    }
    // Without a comment the record's end follows on the same line.
    if (!answers.comment.isEmpty()) {
      field(record, "Comment", answers.comment);
      record.bytes("\r\n");
    }
    record.bytes("<eor>\r\n\r\n");
  }
  return out;
}
