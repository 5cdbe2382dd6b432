#pragma once
// The telnet cluster link's rules: the socket errors as the operator has always seen them, and
// the framing of arriving text into whole lines.

#include <QAbstractSocket>
#include <QString>
#include <QStringList>

// The message for a socket error number; a number without a text of its own gives
// "Error number " and the number.
QString telnetErrorMessage(int number);

// The error number a socket error is reported under. A closed connection is not an error here:
// the caller never asks for RemoteHostClosedError.
int telnetErrorNumber(QAbstractSocket::SocketError error);

// Adds one arrival to `buffer` and takes out every complete line, each with its LF (and any CR
// before it). The incomplete rest waits; a rest longer than `limit` without an LF is noise and
// is dropped.
QStringList takeCompleteLines(QString &buffer, const QString &arrival, qsizetype limit);
