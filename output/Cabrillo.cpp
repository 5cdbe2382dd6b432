#include "output/Cabrillo.h"

#include "logging/Bands.h"
#include "logging/LogRules.h"
#include "output/AdifExport.h"
#include "platform/VbText.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A line break inside a value would split its line and corrupt the entry.
QString oneLine(QString value) {
  value.replace(u'\r', u' ');
  value.replace(u'\n', u' ');
  return value;
}

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

// "yyyy-mm-dd"; a stored date that is no date at all goes out as it stands.
QString qsoDate(const QString &stored) {
  const auto day = storedDate(stored);
  return day ? day->toString(QStringLiteral("yyyy-MM-dd")) : stored;
}

// "hhmm"; a stored time that is no time gives its characters 1-2 and 4-5 as it always has.
QString qsoTime(const QString &stored) {
  const auto clock = storedTime(stored);
  return clock ? clock->toString(QStringLiteral("HHmm")) : stored.mid(0, 2) + stored.mid(3, 2);
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
  const QString frequency = cabrilloFrequency(c.uband);
  return vb::PrintLine()
      .text(QStringLiteral("QSO:"))
      .column(11 - static_cast<int>(frequency.size()))
      .text(frequency)
      .column(12)
      .text(oneLine(modeCode))
      .column(15)
      .text(oneLine(qsoDate(c.flddate)))
      .column(26)
      .text(oneLine(qsoTime(c.fldtime)))
      .column(31)
      .text(oneLine(myCall))
      .column(45)
      .text(oneLine(c.rsts))
      .column(49)
      .text(oneLine(c.serials))
      .column(56)
      .text(oneLine(c.calls))
      .column(70)
      .text(oneLine(c.rstr))
      .column(74)
      .text(oneLine(c.serialr))
      .column(81)
      .text(oneLine(c.trn))
      .str();
}

QString cabrilloLog(const CabrilloHeader &h, const LogArrays &log) {
  QString out;
  const auto line = [&out](const QString &tag, const QString &value) { out += tag + oneLine(value) + kCrLf; };
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
  for (int n = 1; n <= log.ContactCount(); ++n)
    out += cabrilloQsoLine(log.slot(n), h.modeCode, h.myCall);
  line(QStringLiteral("END-OF-LOG:"), {});
  return out;
}
