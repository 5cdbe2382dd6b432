#pragma once
// Rules of typing into the entry row that need no window: the key filters, when a digit typed
// after a call belongs to the report, the default reports, the partial-dupe list and the hint
// on a call's format. Key codes are character codes; 0 is a dropped key.

#include <QString>

class LogArrays;

// Key codes the entry row treats specially.
namespace keys {
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int DoubleQuote = 34;
constexpr int Quote = 39;
// Quotes would break the log's text files: no field takes them.
constexpr bool isQuote(int KeyAscii) {
  return KeyAscii == DoubleQuote || KeyAscii == Quote;
}
} // namespace keys

// The key filter of a field taking the characters from `low` to `high` and Backspace: every
// other key becomes 0.
int passRange(int KeyAscii, int low, int high);

// The points field holds 0 to 6: the digits 7, 8 and 9 become 6.
int clampPointsKey(int KeyAscii);
// The post-contest time field takes the digits and ":", the date field the digits and "/";
// both take Backspace. Other keys become 0.
int postContestTimeKey(int KeyAscii);
int postContestDateKey(int KeyAscii);

// A digit typed at the end of a complete call (at least three characters, and from the second
// on a digit, no "/" and something after the last digit) goes to the report received instead.
bool carriesDigitFromCall(const QString &call, int caret, int KeyAscii);

// The report put into an empty report field: "59" in phone (any mode but CW and RTTY), "599" in
// CW and RTTY. A report of this length is complete, so a further key goes on to the next field.
QString defaultReport(const QString &modeCode);

// Keys from "." to "Z" can belong to a call and start the partial-dupe search and the hint.
bool isCallKey(int KeyAscii);

// The calls logged on `band` that begin with `typed` (both without regard to case), each followed
// by one blank, the newest first. The log is read from its first slot and the list stops growing
// once it is longer than 100 characters.
QString partialDupeList(const LogArrays &log, const QString &band, const QString &typed);

// The hint on the first three characters of a call: none, all well, or neither the second nor
// the third character is a digit or "/".
enum class CallHint { None, Fine, NotNumeric };
CallHint callFormatHint(const QString &typed, int KeyAscii);
