#include "spotting/TelnetLink.h"

#include "platform/VbText.h"

#include <QHash>

QString telnetErrorMessage(int number) {
  static const QHash<int, QString> messages = {
      {7, QStringLiteral("ERROR: Out of memory.")},
      {380, QStringLiteral("ERROR: The property value is invalid.")},
      {383, QStringLiteral("ERROR: The property is read-only.")},
      {394, QStringLiteral("ERROR: The property can't be read.")},
      {1004, QStringLiteral("ERROR: The operation was canceled.")},
      {10014, QStringLiteral("ERROR: The requested address is a broadcast address, but flag is not set.")},
      {10035, QStringLiteral("ERROR: Socket is non-blocking and the specified operation will block.")},
      {10036, QStringLiteral("ERROR: A blocking Winsock operation in progress.")},
      {10037, QStringLiteral("ERROR: The operation is completed. No blocking operation in progress")},
      {10038, QStringLiteral("ERROR: The descriptor is not a socket.")},
      {10040, QStringLiteral("ERROR: The datagram is too large to fit into the buffer and is truncated.")},
      {10043, QStringLiteral("ERROR: The specified port is not supported.")},
      {10048, QStringLiteral("ERROR: Address in use.")},
      {10049, QStringLiteral("ERROR: Address not available from the local machine.")},
      {10050, QStringLiteral("ERROR: Network subsystem failed.")},
      {10051, QStringLiteral("ERROR: The network cannot be reached from this host at this time.")},
      {10052, QStringLiteral("ERROR: Connection has timed out when SO_KEEPALIVE is set.")},
      {10053, QStringLiteral("ERROR: Connection is aborted due to timeout or other failure.")},
      {10054, QStringLiteral("ERROR: The connection is reset by remote side.!")},
      {10055, QStringLiteral("ERROR: No buffer space is available.")},
      {10056, QStringLiteral("ERROR: Socket is already connected.")},
      {10057, QStringLiteral("ERROR: Socket is not connected.")},
      {10058, QStringLiteral("ERROR: Socket has been shut down.")},
      {10060, QStringLiteral("ERROR: Socket has been shut down.")},
      {10061, QStringLiteral("ERROR: Connection is forcefully rejected.")},
      {10093, QStringLiteral("ERROR: WinsockInit should be called first.")},
      {11001, QStringLiteral("ERROR: Authoritative answer: Host not found.")},
      {11002, QStringLiteral("ERROR: Non-Authoritative answer: Host not found.")},
      {11003, QStringLiteral("ERROR: Non-recoverable errors.")},
      {11004, QStringLiteral("ERROR: Valid name, no data record of requested type.")},
  };
  return messages.value(number, QStringLiteral("Error number ") + QString::number(number));
}

int telnetErrorNumber(QAbstractSocket::SocketError error) {
  static const QHash<QAbstractSocket::SocketError, int> numbers = {
      {QAbstractSocket::ConnectionRefusedError, 10061},
      {QAbstractSocket::HostNotFoundError, 11001},
      {QAbstractSocket::SocketTimeoutError, 10060},
      {QAbstractSocket::NetworkError, 10051},
      {QAbstractSocket::SocketResourceError, 10055},
      {QAbstractSocket::AddressInUseError, 10048},
      {QAbstractSocket::SocketAddressNotAvailableError, 10049},
      {QAbstractSocket::SocketAccessError, 10013},
  };
  // Qt's own codes are small numbers that meet no row of the message table.
  return numbers.value(error, int(error));
}

std::optional<std::uint16_t> telnetPort(const QString &text) {
  const auto number = vb::numberIn(text);
  if (!number || vb::roundHalfEven(*number) < 1 || vb::roundHalfEven(*number) > 65535)
    return std::nullopt;
  return std::uint16_t(vb::roundToInt(*number));
}
