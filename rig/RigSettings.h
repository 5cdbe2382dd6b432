#pragma once
// The rig link's settings file "RigCntrl.txt" (fourteen values, one a line) and the rig list
// with each rig's serial defaults and poll texts.

#include <QString>
#include <QStringList>

#include <optional>

inline const QString kRigSettingsFile = QStringLiteral("RigCntrl.txt");

// The link as the settings file stores it.
struct RigLinkSettings {
  QString BaudRate = QStringLiteral("56000"); // always 5 characters, blank-padded
  QString Parity = QStringLiteral("N");
  QString DataBits = QStringLiteral("8");
  QString StopBits = QStringLiteral("1");
  QString ModePollText;
  QString FreqPollText;
  QString CommSettings;
  int CommPort = 2;
  QString PowerLine = QStringLiteral("N");
  QString PollRate = QStringLiteral("M");
  QString RigType = QStringLiteral("None");
  int ConvToHex = 0;
  int UseFrequency = 1;
  int ModeBy = 1; // 1 rig, 2 frequency, 3 don't use
};

QString rigSettingsText(const RigLinkSettings &s);
// Reads the values in file order into `s`; false at the first value missing or out of range,
// the values read before it kept.
bool readRigSettings(const QString &content, RigLinkSettings &s);

// The nineteen rigs in list order.
const QStringList &rigList();

// A rig's defaults as choosing it in the list applies them; an empty serial value leaves that
// choice as it was.
struct RigDefaults {
  QString baud; // "1200" ... "56000"
  QString dataBits;
  QString stopBits;
  QString parity;
  QString freqText;
  QString modeText;
  bool convToHex = false;
  bool icomNote = false;    // the note on the CI-V address is shown
  bool hexSettable = false; // only "Other" lets the operator choose hex poll texts
};
RigDefaults rigDefaults(const QString &rigType);

// The serial line as "1200,N,8,1" names it.
struct SerialLineSettings {
  int baud = 0;
  char parity = 'N';
  int dataBits = 8;
  int stopBits = 1;
};
std::optional<SerialLineSettings> parseCommSettings(const QString &settings);

// The poll timer's interval for a poll-rate letter; nothing for an unknown letter.
std::optional<int> pollInterval(const QString &rate);

// Rig families by their wire protocol.
enum class RigFamily {
  None,
  Kenwood,
  KenwoodIF,
  Icom,
  Yaesu5Byte,
  FTdx9000,
  TenTecPanel,
  Orion,
  Pegasus,
  Other
};
RigFamily rigFamily(const QString &rigType);
// The Yaesu rigs that take the five-byte CAT on and off commands.
bool isYaesuCat(const QString &rigType);
