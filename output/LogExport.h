#pragma once
// "LogExp.txt", the import file of the general-purpose logger: one comma-separated line of
// sixteen fields per contact.

#include "logging/LogArrays.h"

#include <QString>

// Every contact of the log, each line ended CR LF; the empty log gives the empty text.
QString logExpText(const LogArrays &log, const QString &modeCode, const QString &power);
