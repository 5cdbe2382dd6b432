#pragma once
// The WinKey keyer's settings: the file "WK.txt" in the data folder, the checks the setup
// window's value boxes make when left, the option values and the open results' texts.

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

inline const QString kWinKeyFile = QStringLiteral("WK.txt");

// What WK.txt holds, in record order.
struct WinKeyFileSettings {
  int comPort = 0;
  QString wpm = QStringLiteral("18");
  QString weight = QStringLiteral("50");
  QString leadIn = QStringLiteral("0");
  QString tail = QStringLiteral("0");
  QString ratio = QStringLiteral("50");
  int pinConfig = 6;
  int mode = 0;
};

// Reads the records in order into `into`; records 7 and 8 only when the file holds them. False
// at the first record that is missing or unfit (a port, pin or mode value that is no number from
// 0 to 255), with the records before it read.
bool readWinKeyFile(const QString &content, WinKeyFileSettings &into);
// The eight records, one per line.
QString winKeyFileText(const WinKeyFileSettings &settings);

// A box's text as a byte: nullopt for text that is no number, and a failure (`ok` false) for a
// number outside 0 to 255.
struct ByteValue {
  bool numeric = false;
  bool ok = false;
  std::uint8_t value = 0;
};
ByteValue byteValue(const QString &text);

// What leaving a value box does: the box's new text, if it changes, and the value to send.
struct BoxCheck {
  std::optional<QString> text;
  std::optional<std::uint8_t> send;
};
// Speed, weight and ratio: text that is no number, or no byte, becomes `fallback`; a byte in
// [min, max] is sent; any other number stays in the box unsent.
BoxCheck checkValueBox(const QString &text, const QString &fallback, int min, int max);
// Lead-in and tail, sent together when both are bytes; otherwise the box left becomes "0".
struct LeadTailCheck {
  std::optional<QString> text;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> send;
};
LeadTailCheck checkLeadTail(const QString &leadIn, const QString &tail);
// The port box: text that is no number becomes "0"; the port is its byte, 0 when it is none
// (the box keeps its text then).
struct PortCheck {
  std::optional<QString> text;
  std::uint8_t port = 0;
};
PortCheck checkPortBox(const QString &text);

// The status text for an open result, empty for a result that leaves the status as it was.
QString winKeyResultText(std::int32_t result);
