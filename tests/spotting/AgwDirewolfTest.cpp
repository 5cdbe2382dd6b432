#include "platform/AgwClient.h"
#include "platform/Controls.h"
#include "spotting/PacketSpotfrm.h"
#include "tests/spotting/DirewolfEngine.h"
#include "tests/support/TestContext.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QListWidget>
#include <QTcpSocket>
#include <QThread>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QByteArray clusterLine =
    "DX de Q7ABC:     14025.0  Q7XYZ        CQ WPX CW                      1234Z MA\r";

// Another station on the channel: a second client sending one UI frame to "DX".
void sendUiFrame() {
  QTcpSocket cluster;
  cluster.connectToHost(QHostAddress(QHostAddress::LocalHost), 8000);
  ASSERT_TRUE(cluster.waitForConnected(5000));
  agw::Frame frame;
  frame.kind = 'M';
  frame.pid = 0xF0;
  frame.callFrom = "Q7CLU";
  frame.callTo = "DX";
  frame.data = clusterLine;
  cluster.write(agw::encode(frame));
  ASSERT_TRUE(cluster.waitForBytesWritten(5000));
  QThread::msleep(200);
}

struct Heard {
  int kind = 0;
  QString call, data;
};

// Frames from the engine until one satisfies `done` or `seconds` pass.
std::vector<Heard> listen(AgwClient &client, int seconds, const std::function<bool(const Heard &)> &done) {
  std::vector<Heard> heard;
  const QDeadlineTimer deadline(seconds * 1000);
  while (!deadline.hasExpired()) {
    Heard frame;
    int length = 0, spare = 0;
    if (!client.AGWGetData(frame.call, frame.data, frame.kind, length, spare)) {
      QThread::msleep(20);
      continue;
    }
    heard.push_back(frame);
    if (done(frame))
      break;
  }
  return heard;
}

} // namespace

class Direwolf : public ::testing::Test {
protected:
  void SetUp() override {
    if (!direwolfUnavailable().isEmpty())
      GTEST_SKIP() << direwolfUnavailable().toStdString();
    engine = std::make_unique<DirewolfEngine>();
    ASSERT_TRUE(engine->ready()) << engine->output().toStdString();
  }
  std::unique_ptr<DirewolfEngine> engine;
};

TEST_F(Direwolf, ClientRegistersHearsTheChannelAndGivesUpOnAnAbsentNode) {
  AgwClient client;
  ASSERT_EQ(client.AGWStartPoll("Q7ABC", "Orvex", 5, 5), 1);

  sendUiFrame();
  auto heard = listen(client, 10, [](const Heard &h) { return h.data.contains("DX de Q7ABC"); });
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().call, QString("Q7CLU") + QChar(0));
  EXPECT_TRUE(heard.back().data.startsWith(" 1:Fm Q7CLU To DX <UI")) << heard.back().data.toStdString();
  EXPECT_TRUE(heard.back().data.endsWith(QString::fromLatin1(clusterLine) + "\r"));

  ASSERT_EQ(client.AGWPutData("Q7NODE", "", 'c', 0, 0), 1);
  heard = listen(client, 20, [](const Heard &h) { return h.kind == 'd'; });
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().kind, 'd');
  EXPECT_EQ(heard.back().data, "*** DISCONNECTED RETRYOUT With Q7NODE\r");
  EXPECT_TRUE(heard.front().data.contains("SABME")) << heard.front().data.toStdString();

  client.AGWClose();
  AgwClient again;
  EXPECT_EQ(again.AGWStartPoll("Q7ABC", "Orvex", 5, 5), 1);
}

TEST_F(Direwolf, TheClusterWindowTakesSpotsHeardOnTheChannel) {
  TestLogFile file;
  TestPc pc{file.path};
  Form1 &f = pc.laidOutForm();
  pc.state().station.MyCall = QStringLiteral("Q7ABC");
  PacketSpotfrm &w = pc.ctx->window<PacketSpotfrm>();
  w.List1->setCurrentItem(w.List1->findItems(QStringLiteral("AGW Packet Engine"), Qt::MatchExactly).value(0));
  w.Command1_Click();
  EXPECT_EQ(w.Monitor,
            "** Attempting to Open Port **\r\n\r\n\r\n** Successfully connected to AGW Packet Engine "
            "**\r\n\r\n");
  // The window's ticks until `done`, at most `seconds` long.
  const auto tickUntil = [&w](int seconds, const std::function<bool()> &done) {
    const QDeadlineTimer deadline(seconds * 1000);
    while (!done() && !deadline.hasExpired()) {
      w.Timer1_Timer();
      QThread::msleep(10);
    }
    return done();
  };

  sendUiFrame();
  ASSERT_TRUE(tickUntil(10, [&] { return f.txtDX->topLevelItemCount() == 1; })) << w.Monitor.toStdString();
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotCall, "Q7XYZ");
  EXPECT_EQ(pc.ctx->spotting.SpotTable[49].SpotFreq, 14.025f);
  EXPECT_EQ(w.Monitor.count(QString::fromLatin1(clusterLine.chopped(1)) + "\r\n"), 1);

  // No station answers: the engine gives up after its retries.
  w.txtSent->setText(QStringLiteral(":C Q7NODE"));
  int enter = 13;
  w.txtSent_KeyPress(enter);
  ASSERT_TRUE(tickUntil(20, [&] {
    return w.Monitor.contains("dQ7NODE *** DISCONNECTED RETRYOUT With Q7NODE\r\n");
  })) << w.Monitor.toStdString();
  EXPECT_TRUE(w.Monitor.contains("TQ7ABC  1:Fm Q7ABC To Q7NODE <SABME P=1 >")) << w.Monitor.toStdString();
  EXPECT_FALSE(w.Monitor.contains("** Connected"));
  EXPECT_EQ(w.windowTitle(), " DX Spotting Setup");

  w.Command2_Click();
  EXPECT_FALSE(w.agw->registered());
  AgwClient again;
  EXPECT_EQ(again.AGWStartPoll("Q7ABC", "Orvex", 5, 5), 1);
}
