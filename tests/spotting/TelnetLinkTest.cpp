#include "spotting/TelnetLink.h"

#include <gtest/gtest.h>

TEST(TelnetLink, SocketErrorsGiveTheMessagesOperatorsKnow) {
  const struct {
    QAbstractSocket::SocketError error;
    const char *message;
  } rows[] = {
      {QAbstractSocket::ConnectionRefusedError, "ERROR: Connection is forcefully rejected."},
      {QAbstractSocket::HostNotFoundError, "ERROR: Authoritative answer: Host not found."},
      {QAbstractSocket::SocketTimeoutError, "ERROR: Socket has been shut down."},
      {QAbstractSocket::NetworkError, "ERROR: The network cannot be reached from this host at this time."},
      {QAbstractSocket::SocketResourceError, "ERROR: No buffer space is available."},
      {QAbstractSocket::AddressInUseError, "ERROR: Address in use."},
      {QAbstractSocket::SocketAddressNotAvailableError,
       "ERROR: Address not available from the local machine."},
      {QAbstractSocket::SocketAccessError, "Error number 10013"},
      {QAbstractSocket::UnsupportedSocketOperationError, "Error number 10"},
      {QAbstractSocket::UnknownSocketError, "Error number -1"},
  };
  for (const auto &row : rows)
    EXPECT_EQ(telnetErrorMessage(telnetErrorNumber(row.error)), row.message) << row.error;
  EXPECT_EQ(telnetErrorMessage(10059), "Error number 10059");
  EXPECT_EQ(telnetErrorMessage(10054), "ERROR: The connection is reset by remote side.!");
  EXPECT_EQ(telnetErrorMessage(7), "ERROR: Out of memory.");
}

TEST(TelnetLink, PortBoxTextBecomesAPortNumber) {
  const struct {
    const char *text;
    int port; // 0: no port
  } rows[] = {{"7300", 7300},   {"&H1C84", 7300}, {" 23 ", 23}, {"7300.5", 7300}, {"7301.5", 7302},
              {"65535", 65535}, {"abc", 0},       {"70000", 0}, {"0", 0},         {"", 0}};
  for (const auto &row : rows)
    EXPECT_EQ(telnetPort(row.text).value_or(0), row.port) << row.text;
}
