#pragma once
// The contacts behind the golden export files, and the files themselves.

#include "logging/LogArrays.h"
#include "platform/LogDb.h"

#include <QByteArray>

#include <vector>

// Six contacts covering the empty call, a hand-edited date and time, an impossible date, a
// time without a colon, short and unknown countries, Alaska, Hawaii and a Latin-1 country.
std::vector<ContactRecord> goldenContacts();
LogArrays goldenLog();

QByteArray golden(const char *name);
// A written file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// A Cabrillo QSO as memory holds it: reports 599, transmitter 1, the rest as given.
LogEntry cabrilloContact(const QString &band, const QString &date, const QString &time,
                         const QString &serials, const QString &call, const QString &serialr);
