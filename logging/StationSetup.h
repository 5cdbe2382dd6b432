#pragma once
// The rules of station setup: its key filter for numbers, the numbers and paths it accepts, the
// contest mode options and the message shown when the log cannot be opened.

#include <QString>

#include <optional>

// The filter of the number fields: Backspace and the characters from "-" to "9" (minus, full
// stop, slash and the digits) pass; every other key is dropped (0).
int Numberr(int KeyAscii);

// A number typed into a setup field, "." as the decimal point whatever the locale. Nothing for
// text that is no number (the empty text included) or that a single-precision value cannot
// hold, which the preferences file could not read back.
std::optional<float> setupNumber(const QString &text);

// The transmitter number as it stays when its field is left: a number as typed, else "0".
QString transmitterNumberText(const QString &text);

// The path shown at load: the saved one, or the log beside the program when the saved path is
// shorter than three characters.
QString setupLogPath(const QString &saved, const QString &programFolder);

// The contest mode options; a stored code selects one only when it is "PH", "CW" or "RY" in
// any case.
enum class ContestMode { Phone, CW, RTTY };
std::optional<ContestMode> contestModeFor(const QString &code);
QString modeCode(ContestMode mode);

// The message box shown when Done cannot open the log.
QString logOpenFailureText();
inline const QString kLogOpenFailureTitle = QStringLiteral("File, Network or Install Error.");
