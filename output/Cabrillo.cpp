#include "output/Cabrillo.h"

#include "logging/Bands.h"
#include "logging/LogRules.h"
#include "output/AdifExport.h"
#include "output/ByteWriter.h"
#include "platform/VbText.h"

#include <algorithm>
#include <span>
#include <utility>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString operatorWord(OperatorCategory op) {
  switch (op) {
  case OperatorCategory::Single:
    return QStringLiteral("SINGLE-OP");
  case OperatorCategory::SingleAssisted:
    return QStringLiteral("SINGLE-OP-ASSISTED");
  case OperatorCategory::Multiple:
    return QStringLiteral("MULTI-");
  case OperatorCategory::Checklog:
    return QStringLiteral("CHECKLOG");
  case OperatorCategory::None:
    break;
  }
  return {};
}

QString transmitterWord(TransmitterCategory transmitters) {
  switch (transmitters) {
  case TransmitterCategory::One:
    return QStringLiteral("ONE");
  case TransmitterCategory::Two:
    return QStringLiteral("TWO");
  case TransmitterCategory::Multi:
    return QStringLiteral("MULTI");
  case TransmitterCategory::None:
    break;
  }
  return {};
}

QString powerWord(PowerCategory power) {
  switch (power) {
  case PowerCategory::High:
    return QStringLiteral("HIGH");
  case PowerCategory::Low:
    return QStringLiteral("LOW");
  case PowerCategory::Qrp:
    return QStringLiteral("QRP");
  case PowerCategory::None:
    break;
  }
  return {};
}

QString categoryValue(const CabrilloCategory &c) {
  const QString transmitters =
      c.op == OperatorCategory::Multiple ? transmitterWord(c.transmitters) : QString();
  return operatorWord(c.op) + transmitters + u' ' + c.band + u' ' + powerWord(c.power);
}

QString overlayValue(const CabrilloCategory &c) {
  QString words;
  if (c.rookie)
    words += QStringLiteral("ROOKIE ");
  if (c.bandLimited)
    words += QStringLiteral("BAND-LIMITED ");
  if (c.tbWires)
    words += QStringLiteral("TB-WIRES");
  return words.trimmed();
}

// The value with its line breaks as blanks: a break would split its line and corrupt the entry.
void appendOneLine(QString &out, const QString &value) {
  const qsizetype from = out.size();
  out += value;
  for (qsizetype i = from; i < out.size(); ++i)
    if (out[i] == u'\r' || out[i] == u'\n')
      out[i] = u' ';
}

// Blanks up to the column (counted from 1), or one blank when the line already reaches it, as a
// print statement places its columns.
void padToColumn(ByteWriter &line, int column) {
  const qsizetype target = std::max(column, 1) - 1;
  const qsizetype length = line.written();
  line.blanks(length >= target ? 1 : target - length);
}

void appendQsoLine(QByteArray &out, const LogEntry &c, const StoredDateAndTime &when, const QString &modeCode,
                   const QString &myCall) {
  const QString frequency = cabrilloFrequency(c.uband);
  const std::pair<int, const QString *> fields[] = {{12, &modeCode},  {31, &myCall},  {45, &c.rsts},
                                                    {49, &c.serials}, {56, &c.calls}, {70, &c.rstr},
                                                    {74, &c.serialr}, {81, &c.trn}};
  // The columns, a blank after each value and the stored date and time at most.
  qsizetype room = 96 + c.flddate.size() + c.fldtime.size();
  for (const auto &field : fields)
    room += field.second->size();
  ByteWriter line(out, room);
  line.bytes("QSO:");
  padToColumn(line, 11 - static_cast<int>(frequency.size()));
  line.text(frequency);
  padToColumn(line, fields[0].first);
  line.oneLine(*fields[0].second);
  padToColumn(line, 15);
  // "yyyy-mm-dd"; a stored date that is no date at all goes out as it stands.
  if (const auto &d = when.date) {
    line.digits(d->year, 4);
    line.put('-');
    line.digits(d->month, 2);
    line.put('-');
    line.digits(d->day, 2);
  } else {
    line.oneLine(c.flddate);
  }
  padToColumn(line, 26);
  // "hhmm"; a stored time that is no time gives its characters 1-2 and 4-5 as it always has.
  if (const auto &t = when.time) {
    line.digits(t->hour, 2);
    line.digits(t->minute, 2);
  } else {
    line.oneLine(QStringView(c.fldtime).mid(0, 2));
    line.oneLine(QStringView(c.fldtime).mid(3, 2));
  }
  for (const auto &[column, value] : std::span(fields).subspan(1)) {
    padToColumn(line, column);
    line.oneLine(*value);
  }
  line.bytes("\r\n");
}

} // namespace

QString cabrilloFrequency(const QString &band) {
  // The lower edges in the order of bandCodes().
  static const QStringList frequencies = {QStringLiteral(" 1800"), QStringLiteral(" 3500"),
                                          QStringLiteral(" 7000"), QStringLiteral("14000"),
                                          QStringLiteral("21000"), QStringLiteral("28000")};
  const qsizetype i = bandCodes().indexOf(band);
  return i < 0 ? QString() : frequencies.at(i);
}

QString cabrilloQsoLine(const LogEntry &c, const QString &modeCode, const QString &myCall) {
  QByteArray line;
  appendQsoLine(line, c, storedDateAndTime(c), modeCode, myCall);
  return QString::fromLatin1(line);
}

QByteArray cabrilloLog(const CabrilloHeader &h, const LogArrays &log) {
  QString out;
  const auto line = [&out](const QString &tag, const QString &value) {
    out += tag;
    appendOneLine(out, value);
    out += kCrLf;
  };
  line(QStringLiteral("START-OF-LOG: 2.0"), {});
  line(QStringLiteral("CREATED-BY: "), h.programTitle.left(45));
  line(QStringLiteral("ARRL-SECTION: "), h.section);
  // A code that is no contest mode counts as phone here.
  line(QStringLiteral("CONTEST: CQ-WPX-"), modeWord(contestModeFor(h.modeCode).value_or(ContestMode::Phone)));
  line(QStringLiteral("CALLSIGN: "), h.myCall);
  line(QStringLiteral("CATEGORY: "), categoryValue(h.category));
  const QString overlay = overlayValue(h.category);
  if (!overlay.isEmpty())
    line(QStringLiteral("CATEGORY-OVERLAY: "), overlay);
  out += vb::PrintLine().text(QStringLiteral("CLAIMED-SCORE:")).number(h.claimedScore).str();
  line(QStringLiteral("OPERATORS: "), h.operators.isEmpty() ? h.myCall : h.operators);
  line(QStringLiteral("CLUB: "), h.club);
  line(QStringLiteral("NAME: "), h.name);
  line(QStringLiteral("ADDRESS: "), h.address1);
  line(QStringLiteral("ADDRESS: "), h.address2);
  line(QStringLiteral("EMAIL: "), h.email);
  line(QStringLiteral("SOAPBOX: "), h.soapbox);
  line(QStringLiteral("SOAPBOX:"), {});
  line(QStringLiteral("SOAPBOX:"), {});
  QByteArray bytes = out.toLatin1();
  bytes.reserve(bytes.size() + static_cast<qsizetype>(log.ContactCount()) * 96 + 16);
  for (int n = 1; n <= log.ContactCount(); ++n)
    appendQsoLine(bytes, log.slot(n), storedDateAndTime(log, n), h.modeCode, h.myCall);
  bytes += "END-OF-LOG:\r\n";
  return bytes;
}
