#pragma once
// The commands that tune a rig: each family's set-frequency command for a frequency in MHz, and
// its set-mode command for a mode word. An empty command means nothing goes out.

#include <QByteArray>
#include <QString>

#include <optional>

// What a set-frequency command is built from besides the frequency.
struct TuneTexts {
  QString rigType;
  QString freqText; // the frequency poll text: its first two characters, the CI-V address
  QString modeText; // the mode poll text: the newcat mode prefix
  int activeVfo = 10;
};

// The family's set-frequency command at `mhz`; empty for the families without one ("Other",
// "None", "Ten Tec Pegasus"). Nothing for a bad number: a frequency that is not finite, not above
// zero, or too wide for the family's digits.
std::optional<QByteArray> frequencyCommand(const TuneTexts &t, float mhz);
// The family's set-mode command for `mode`; empty for a word the family has no command for.
QByteArray modeCommand(const TuneTexts &t, const QString &mode);
// The pause before the family's set-frequency command, in ms, and whether it is followed by a
// yield and a second pause (the Elecraft's 1,000 ms, the Omni VI's 220 ms).
struct TunePause {
  int ms = 0;
  bool yieldFirst = false;
  int moreMs = 0;
};
TunePause frequencyPause(const QString &rigType);

// Hex digits without blanks, two to a byte; a trailing single digit is its own byte. Nothing
// when a digit is not hexadecimal.
std::optional<QByteArray> PackedHexToBytes(const QString &text);

// "PEGASUS.IN": the frequency as the files write a single, then the mode word, each on a line.
QString pegasusCommandText(float mhz, const QString &mode);
