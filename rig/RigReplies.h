#pragma once
// What the rigs answer to their poll commands, read into a frequency and a mode word. Each
// parser reads one reply as taken from the port (bytes, 0x00 included) and changes only what it
// could read; a position the reply does not reach ends it, so no number is made from part of a
// field, and a frequency that is not finite and above zero is not read at all.

#include <QByteArray>
#include <QString>

#include <optional>

// The rig as the poll loop last read it.
struct RigReadout {
  float RigFrequency = 0; // MHz; kept when a reply gives none
  QString RigMode;        // "CW", "PH" (the 757 also "AM", "FM")
  int ActiveVfo = 10;     // the VFO digit of the last "IF" reply; 10 before any
};

// Kenwood and Elecraft: "FA" + 11 digits of hertz + ";" (the prefix is taken from the frequency
// poll text, which needs at least 3 characters), "MD" + mode digit + ";", and the "IF" status.
void ParseKenwoodFrequency(const QByteArray &reply, const QString &txtFreq, RigReadout &rig);
void ParseKenwoodMode(const QByteArray &reply, RigReadout &rig);
void ParseKenwoodIF(const QByteArray &reply, RigReadout &rig);
// "FA" + 8 digits of hertz + ";" and "MD0" + mode character + ";"; both halves are tried.
void ParseFTdx9000Reply(const QByteArray &reply, const QString &txtFreq, const QString &txtMode,
                        RigReadout &rig);
// "@AF" + hertz + CR and "@RMM" + mode digit + CR.
void ParseOrionFrequency(const QByteArray &reply, RigReadout &rig);
void ParseOrionMode(const QByteArray &reply, RigReadout &rig);
// CI-V frames FE FE to from command data FD. A frame's data count only once its FD has come,
// so a reply cut by the tick never gives a frequency. `fourByte`: the 735's 8 digits of hertz.
void ParseIcomFrequency(const QByteArray &reply, bool fourByte, RigReadout &rig);
void ParseIcomMode(const QByteArray &reply, RigReadout &rig);
// Yaesu five-byte answer to opcode 03: BCD frequency in 10 Hz, most significant first, and mode.
void ParseYaesuStatus(const QByteArray &reply, RigReadout &rig);
// Yaesu status records (opcode 10), frequency and mode at each model's positions.
void ParseYaesu757Status(const QByteArray &reply, RigReadout &rig);
void ParseYaesu890Status(const QByteArray &reply, RigReadout &rig);
void ParseYaesu920Status(const QByteArray &reply, RigReadout &rig);
void ParseYaesu990Status(const QByteArray &reply, RigReadout &rig);
void ParseYaesu1000Status(const QByteArray &reply, RigReadout &rig);
// Ten-Tec binary: "A" + 4 bytes of hertz, most significant first + CR; "M" + 2 mode digits + CR.
void ParseTenTecFrequency(const QByteArray &reply, RigReadout &rig);
void ParseTenTecMode(const QByteArray &reply, RigReadout &rig);

// The Pegasus control program's reply file: the frequency (MHz), then the mode word; a word
// other than "CW" is phone. Changes the readout only when both fields are there.
bool parsePegasusReply(const QString &content, RigReadout &rig);

// Eight BCD digits of a Yaesu frequency (100 MHz down to 10 Hz) as MHz text: the point always
// follows the third digit, leading zeros before it dropped ("00050000" gives ".50000").
QString DigitsToFrequency(const QString &digits);
// Ten CI-V digits (1 GHz down to 1 Hz) as MHz text, the point after the fourth digit.
QString IcomDigitsToFrequency(const QString &digits);

// Hexadecimal views of bytes: a digit of 0 to 15 (empty for anything else), a reply as pairs
// each followed by a blank ("FE 03 FD "), and as digits without separators ("FE03FD").
QString ByteToHex(int value);
QString ReplyToHexText(const QByteArray &reply);
QString ReplyToHexDigits(const QByteArray &reply);
// Operator hex texts "XX XX XX": a pair at positions 1, 4, 7, ..., in either case; a trailing
// single digit is its own byte. Nothing when a pair is not hexadecimal.
std::optional<QByteArray> HexPairsToBytes(const QString &text);

// The frequency display: five decimals, no leading zero ("14.02500", ".50000").
QString frequencyCaption(float mhz);
