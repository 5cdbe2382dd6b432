#include "output/Cabrillo.h"

#include "logging/Bands.h"
#include "logging/LogRules.h"
#include "output/AdifExport.h"
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

void appendDigits(QString &out, int value, int digits) {
  const qsizetype end = out.size() + digits;
  out.resize(end, u'0');
  for (qsizetype i = end - 1; value > 0 && i >= end - digits; --i, value /= 10)
    out[i] = QChar(u'0' + value % 10);
}

// Blanks up to the column (counted from 1 on the line begun at `lineStart`), or one blank
// when the line already reaches it, as a print statement places its columns.
void padToColumn(QString &out, qsizetype lineStart, int column) {
  const qsizetype target = std::max(column, 1) - 1;
  const qsizetype length = out.size() - lineStart;
  out.resize(out.size() + (length >= target ? 1 : target - length), u' ');
}

// "yyyy-mm-dd"; a stored date that is no date at all goes out as it stands.
void appendQsoDate(QString &out, const QString &stored) {
  const auto day = storedDate(stored);
  if (!day) {
    appendOneLine(out, stored);
    return;
  }
  int year = 0, month = 0, dayOfMonth = 0;
  day->getDate(&year, &month, &dayOfMonth);
  appendDigits(out, year, 4);
  out += u'-';
  appendDigits(out, month, 2);
  out += u'-';
  appendDigits(out, dayOfMonth, 2);
}

// "hhmm"; a stored time that is no time gives its characters 1-2 and 4-5 as it always has.
void appendQsoTime(QString &out, const QString &stored) {
  const auto clock = storedTime(stored);
  if (!clock) {
    appendOneLine(out, stored.mid(0, 2) + stored.mid(3, 2));
    return;
  }
  appendDigits(out, clock->hour(), 2);
  appendDigits(out, clock->minute(), 2);
}

void appendQsoLine(QString &out, const LogEntry &c, const QString &modeCode, const QString &myCall) {
  const qsizetype start = out.size();
  const QString frequency = cabrilloFrequency(c.uband);
  out += QLatin1String("QSO:");
  padToColumn(out, start, 11 - static_cast<int>(frequency.size()));
  out += frequency;
  const std::pair<int, const QString *> fields[] = {{12, &modeCode},  {31, &myCall},  {45, &c.rsts},
                                                    {49, &c.serials}, {56, &c.calls}, {70, &c.rstr},
                                                    {74, &c.serialr}, {81, &c.trn}};
  padToColumn(out, start, fields[0].first);
  appendOneLine(out, *fields[0].second);
  padToColumn(out, start, 15);
  appendQsoDate(out, c.flddate);
  padToColumn(out, start, 26);
  appendQsoTime(out, c.fldtime);
  for (const auto &[column, value] : std::span(fields).subspan(1)) {
    padToColumn(out, start, column);
    appendOneLine(out, *value);
  }
  out += kCrLf;
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
  QString line;
  appendQsoLine(line, c, modeCode, myCall);
  return line;
}

QString cabrilloLog(const CabrilloHeader &h, const LogArrays &log) {
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
  out.reserve(out.size() + static_cast<qsizetype>(log.ContactCount()) * 96);
  for (int n = 1; n <= log.ContactCount(); ++n)
    appendQsoLine(out, log.slot(n), h.modeCode, h.myCall);
  line(QStringLiteral("END-OF-LOG:"), {});
  return out;
}
