#pragma once
// The wildcards of a CW message: "$" the call being entered, "#" the serial number to send and
// "*" the report sent, each without its surrounding blanks.

#include <QString>

// Replaces the three wildcards in that order, one pass each; a pass goes on after the value it
// inserted, so a value holding a wildcard is inserted once. At each "*", a report sent that is
// empty or "599" first becomes "5NN" (the shared value, which `rstSent` is).
QString expandWildcards(QString text, const QString &theirCall, const QString &nextSerial, QString &rstSent);
