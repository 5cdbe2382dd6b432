#pragma once
// The WPX prefix of a call as the contest counts it for multipliers.

#include <QString>

// The first character of the call is never examined for digits or a slash; only the last slash
// counts. A prefix ending in a letter is cut to two characters and completed with "0"
// (W1ABC/M gives "M0"). Calls shorter than two characters, and calls without a digit after
// their first character, give the empty text.
QString wpxPrefix(const QString &call);
