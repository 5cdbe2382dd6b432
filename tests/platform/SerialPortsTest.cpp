#include "platform/SerialPorts.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(SerialPorts, PortNumbersMapThroughComLinksElseToTtyS) {
  TempHome home;
  ASSERT_TRUE(QDir().mkpath(serialports::portsFolder()));
  ASSERT_TRUE(serialports::portsFolder().startsWith(home.dir.path()));
  const QString folder = serialports::portsFolder();
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), folder + "/COM2"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), folder + "/com3"));
  ASSERT_TRUE(QFile::link(home.path("/gone"), folder + "/COM4"));

  const struct {
    int port;
    QString device;
  } rows[] = {
      {0, QString()},
      {-1, QString()},
      {1, QStringLiteral("/dev/ttyS0")},
      {2, QStringLiteral("/dev/null")},
      {3, QStringLiteral("/dev/null")},
      {4, home.path("/gone")},
      {10, QStringLiteral("/dev/ttyS9")},
  };
  for (const auto &row : rows)
    EXPECT_EQ(serialports::deviceForPort(row.port), row.device) << "port " << row.port;
}
