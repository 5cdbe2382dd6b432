#pragma once
// The keyers' settings files in the program folder, read once at start: "wave2.txt" for the
// voice keyer and "cw.txt" for the CW keyer. Each is read value by value into the keyer window's
// settings; a failure leaves the values read before it in place.

#include <QString>

#include <array>
#include <optional>

inline const QString kVoiceKeyerFile = QStringLiteral("wave2.txt");
// Read as "cw.txt" and written as "CW.txt": one file, its name matched in any case.
inline const QString kCwKeyerFile = QStringLiteral("CW.txt");

// The voice keyer's settings as "wave2.txt" keeps them; the settings window's controls hold them
// while the program runs.
struct VoiceKeyerSettings {
  std::array<QString, 9> waveFiles;          // F1 to F9
  QString pttPort = QStringLiteral("0");     // serial port for push-to-talk, "0" for none
  int pttLine = 0;                           // 0 RTS, 1 DTR, 2 printer port
  QString loopSeconds = QStringLiteral("0"); // pause before F1 plays again, "0" for no repeat
  int repeatIntervalMs = 0;
  QString printerPort = QStringLiteral("&H378");
};

// The CW keyer's settings as "cw.txt" keeps them (the keying method is CWKeyingMethod); the
// settings window's controls hold them while the program runs.
struct CwKeyerSettings {
  std::array<QString, 11> messages; // F1 to F11
  QString serialPort = QStringLiteral("0");
  QString speedWpm = QStringLiteral("13");
  QString wordSpace = QStringLiteral("0");
  QString printerPort = QStringLiteral("&H378");
  int echo = 0;                              // 1: the unsent text shows in the main window's status line
  QString loopSeconds = QStringLiteral("0"); // pause before F1 is sent again, "0" for no repeat
  int repeatIntervalMs = 0;
};

// Thirteen values: the nine wave files, the push-to-talk port, the line (0, 1 or 2 compared as
// text; another value leaves the line alone), the F1 pause in seconds and the printer port.
// False when a value is missing or the pause gives no timer interval.
bool readVoiceKeyerSettings(const QString &content, VoiceKeyerSettings &voice);
// The thirteen lines in the same order: the wave files without their outer blanks, texts
// quoted, the line bare.
QString voiceKeyerFileText(const VoiceKeyerSettings &voice);

// Eighteen values: F1 to F9, the serial port, the speed, F10, F11, the word space, the keying
// method (a number from 0 to 255, into `keyingMethod`), the printer port, the echo (0 to 2) and
// the F1 pause in seconds. An empty F9 becomes "VVV DE ". False on a missing or unfit value.
bool readCwKeyerSettings(const QString &content, CwKeyerSettings &cw, int &keyingMethod);
// The eighteen lines in the same order: texts quoted, the method and the echo bare.
QString cwKeyerFileText(const CwKeyerSettings &cw, int keyingMethod);

// The repeat timer's interval for a pause in seconds: the number times 1,000, rounded; nothing
// for text that is no number or an interval a timer cannot take (below 0, above 65,535 ms).
std::optional<int> repeatIntervalMs(const QString &seconds);

// The paths of the keyers' files in `programFolder`, their names in any case.
QString voiceKeyerFilePath(const QString &programFolder);
QString cwKeyerFilePath(const QString &programFolder);
