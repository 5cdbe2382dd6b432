#pragma once
// The telnet cluster link's rules: the socket errors as the operator has always seen them, and
// the port box.

#include <QAbstractSocket>
#include <QString>

#include <cstdint>
#include <optional>

// The message for a socket error number; a number without a text of its own gives
// "Error number " and the number.
QString telnetErrorMessage(int number);

// The error number a socket error is reported under. A connection the cluster closed is no
// error with a message: the caller never asks for RemoteHostClosedError.
int telnetErrorNumber(QAbstractSocket::SocketError error);

// The port box's text as a port number, converted as every number box is ("&H1C84" is 7300,
// halves round to even); none for text that is no number or a number outside 1-65535.
std::optional<std::uint16_t> telnetPort(const QString &text);
