#include "rig/RigSettings.h"

#include "platform/VbText.h"

QString rigSettingsText(const RigLinkSettings &s) {
  QString out;
  const auto text = [&out](const QString &v) { out += vb::WriteLine().text(v).str(); };
  const auto number = [&out](int v) { out += vb::WriteLine().number(v).str(); };
  text(s.BaudRate);
  text(s.Parity);
  text(s.DataBits);
  text(s.StopBits);
  text(s.ModePollText);
  text(s.FreqPollText);
  text(s.CommSettings);
  number(s.CommPort);
  text(s.PowerLine);
  text(s.PollRate);
  text(s.RigType);
  number(s.ConvToHex);
  number(s.UseFrequency);
  number(s.ModeBy);
  return out;
}

bool readRigSettings(const QString &content, RigLinkSettings &s) {
  vb::FieldReader in(content);
  const auto one = [](const std::optional<QString> &v) {
    return v ? std::optional<QString>(v->left(1)) : std::nullopt;
  };
  const auto baud = in.text();
  if (!baud)
    return false;
  s.BaudRate = baud->leftJustified(5, u' ', true);
  return vb::readInto(one(in.text()), s.Parity) && vb::readInto(one(in.text()), s.DataBits) &&
         vb::readInto(one(in.text()), s.StopBits) && vb::readInto(in.text(), s.ModePollText) &&
         vb::readInto(in.text(), s.FreqPollText) && vb::readInto(in.text(), s.CommSettings) &&
         vb::readInto(in.integer(0, 255), s.CommPort) && vb::readInto(one(in.text()), s.PowerLine) &&
         vb::readInto(one(in.text()), s.PollRate) && vb::readInto(in.text(), s.RigType) &&
         vb::readInto(in.integer(-32768, 32767), s.ConvToHex) &&
         vb::readInto(in.integer(-32768, 32767), s.UseFrequency) &&
         vb::readInto(in.integer(-32768, 32767), s.ModeBy);
}

const QStringList &rigList() {
  static const QStringList list = {QStringLiteral("None"),
                                   QStringLiteral("Elecraft"),
                                   QStringLiteral("Icom"),
                                   QStringLiteral("Icom 735"),
                                   QStringLiteral("Kenwood"),
                                   QStringLiteral("Kenwood 2"),
                                   QStringLiteral("Ten Tec Omni VI"),
                                   QStringLiteral("Ten Tec Orion"),
                                   QStringLiteral("Ten Tec Fnt Pnl"),
                                   QStringLiteral("Ten Tec Pegasus"),
                                   QStringLiteral("Yaesu"),
                                   QStringLiteral("Yaesu 757 GX II"),
                                   QStringLiteral("Yaesu 890"),
                                   QStringLiteral("Yaesu 920"),
                                   QStringLiteral("Yaesu 990"),
                                   QStringLiteral("Yaesu 1000 D"),
                                   QStringLiteral("Yaesu 1000"),
                                   QStringLiteral("Yaesu FTdx9000"),
                                   QStringLiteral("Other")};
  return list;
}

RigDefaults rigDefaults(const QString &rigType) {
  // Every rig with serial defaults takes eight data bits and no parity.
  const auto line = [](const char *baud, const char *stopBits, const char *freq, const char *mode, bool hex,
                       bool note = false) {
    RigDefaults d;
    d.baud = QLatin1String(baud);
    d.dataBits = QStringLiteral("8");
    d.stopBits = QLatin1String(stopBits);
    d.parity = QStringLiteral("N");
    d.freqText = QLatin1String(freq);
    d.modeText = QLatin1String(mode);
    d.convToHex = hex;
    d.icomNote = note;
    return d;
  };
  if (rigType == QLatin1String("Icom") || rigType == QLatin1String("Icom 735"))
    return line("1200", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true);
  if (rigType == QLatin1String("Ten Tec Omni VI"))
    return line("1200", "1", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true);
  if (rigType == QLatin1String("Kenwood") || rigType == QLatin1String("Elecraft"))
    return line("4800", "2", "FA;", "MD;", false);
  if (rigType == QLatin1String("Kenwood 2"))
    return line("4800", "2", "IF;", "", false);
  if (rigType == QLatin1String("Yaesu"))
    return line("4800", "2", "00 00 00 00 03", "", true);
  if (rigType == QLatin1String("Yaesu 757 GX II"))
    return line("4800", "2", "00 00 00 00 10", "", true);
  if (rigFamily(rigType) == RigFamily::Yaesu5Byte)
    return line("4800", "2", "00 00 00 02 10", "", true);
  if (rigType == QLatin1String("Yaesu FTdx9000"))
    return RigDefaults{QStringLiteral("4800"), {}, {}, {}, QStringLiteral("FA;"), QStringLiteral("MD0;")};
  if (rigType == QLatin1String("Ten Tec Orion"))
    return line("56000", "1", "?AF", "?RMM", false);
  if (rigType == QLatin1String("Ten Tec Fnt Pnl"))
    return line("56000", "1", "3F 41 0D", "3F 4D 0D", true);
  RigDefaults none;
  none.hexSettable = rigType == QLatin1String("Other");
  return none;
}

std::optional<SerialLineSettings> parseCommSettings(const QString &settings) {
  const QStringList f = settings.split(u',');
  if (f.size() != 4)
    return std::nullopt;
  bool ok = false;
  SerialLineSettings s;
  s.baud = f[0].trimmed().toInt(&ok);
  if (!ok || s.baud <= 0)
    return std::nullopt;
  const QString parity = f[1].trimmed().toUpper();
  if (parity != QLatin1String("N") && parity != QLatin1String("O") && parity != QLatin1String("E"))
    return std::nullopt;
  s.parity = parity[0].toLatin1();
  s.dataBits = f[2].trimmed().toInt(&ok);
  if (!ok || (s.dataBits != 7 && s.dataBits != 8))
    return std::nullopt;
  s.stopBits = f[3].trimmed().toInt(&ok);
  if (!ok || (s.stopBits != 1 && s.stopBits != 2))
    return std::nullopt;
  return s;
}

std::optional<int> pollInterval(const QString &rate) {
  if (rate == QLatin1String("F"))
    return 50;
  if (rate == QLatin1String("M"))
    return 250;
  if (rate == QLatin1String("S"))
    return 1000;
  if (rate == QLatin1String("R"))
    return 5000;
  return std::nullopt;
}

RigFamily rigFamily(const QString &rigType) {
  static const struct {
    const char *name;
    RigFamily family;
  } kFamilies[] = {
      {"Elecraft", RigFamily::Kenwood},
      {"Kenwood", RigFamily::Kenwood},
      {"Kenwood 2", RigFamily::KenwoodIF},
      {"Icom", RigFamily::Icom},
      {"Icom 735", RigFamily::Icom},
      {"Ten Tec Omni VI", RigFamily::Icom},
      {"Ten Tec Orion", RigFamily::Orion},
      {"Ten Tec Fnt Pnl", RigFamily::TenTecPanel},
      {"Ten Tec Pegasus", RigFamily::Pegasus},
      {"Yaesu", RigFamily::Yaesu5Byte},
      {"Yaesu 757 GX II", RigFamily::Yaesu5Byte},
      {"Yaesu 890", RigFamily::Yaesu5Byte},
      {"Yaesu 920", RigFamily::Yaesu5Byte},
      {"Yaesu 990", RigFamily::Yaesu5Byte},
      {"Yaesu 1000 D", RigFamily::Yaesu5Byte},
      {"Yaesu 1000", RigFamily::Yaesu5Byte},
      {"Yaesu FTdx9000", RigFamily::FTdx9000},
      {"Other", RigFamily::Other},
  };
  for (const auto &f : kFamilies) {
    if (rigType == QLatin1String(f.name))
      return f.family;
  }
  return RigFamily::None;
}

bool isYaesuCat(const QString &rigType) {
  return rigType.startsWith(QLatin1String("Yaesu")) && rigType != QLatin1String("Yaesu FTdx9000");
}
