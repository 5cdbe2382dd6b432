#include "platform/AgwClient.h"
#include "tests/spotting/FakeAgwEngine.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QByteArray padded(const char *call) {
  QByteArray field(call);
  field.append(agw::callSize - field.size(), '\0');
  return field;
}

struct Got {
  int result = 0;
  QString call, data;
  int kind = 0, length = 0;
};

Got getData(AgwClient &client) {
  Got got;
  int spare = 0;
  got.result = client.AGWGetData(got.call, got.data, got.kind, got.length, spare);
  return got;
}

// The next frame, waiting up to 5 s for it to cross the socket.
Got nextFrame(AgwClient &client) {
  const QDeadlineTimer deadline(5000);
  Got got;
  while (!(got = getData(client)).result && !deadline.hasExpired())
    QThread::msleep(2);
  return got;
}

} // namespace

TEST(AgwFrames, HeaderIsLittleEndianWithNulPaddedCalls) {
  agw::Frame frame;
  frame.port = 1;
  frame.kind = 'D';
  frame.pid = 0xF0;
  frame.callFrom = "Q7ABC";
  frame.callTo = "Q7NODE-15";
  frame.data = QByteArray(300, 'x');
  const QByteArray bytes = agw::encode(frame);
  ASSERT_EQ(bytes.size(), 36 + 300);
  const QByteArray header = bytes.left(36);
  EXPECT_EQ(header.left(8), QByteArray("\x01\0\0\0D\0\xF0\0", 8));
  EXPECT_EQ(header.mid(8, 10), padded("Q7ABC"));
  EXPECT_EQ(header.mid(18, 10), padded("Q7NODE-15"));
  EXPECT_EQ(header.mid(28, 8), QByteArray("\x2C\x01\0\0\0\0\0\0", 8));

  // Whole frames only: a frame in pieces waits, several at once come out one by one.
  QByteArray stream = bytes.left(20);
  EXPECT_TRUE(agw::takeFrames(stream).empty());
  stream += bytes.mid(20, 100);
  EXPECT_TRUE(agw::takeFrames(stream).empty());
  stream += bytes.mid(120) + agw::encode(engineFrame('U', "Q7CLU", "hi"));
  const QByteArray third = agw::encode(engineFrame('I', "Q7CLU", "rest"));
  stream += third.left(38);
  const auto frames = agw::takeFrames(stream);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].pid, 0xF0);
  EXPECT_EQ(frames[0].callTo, padded("Q7NODE-15"));
  EXPECT_EQ(frames[0].data, frame.data);
  EXPECT_EQ(frames[1].kind, 'U');
  EXPECT_EQ(frames[1].data, "hi");
  EXPECT_EQ(stream, third.left(38));

  // A length no engine sends: the stream is out of step and is dropped, not buffered forever.
  QByteArray garbage(36, '\xFF');
  EXPECT_TRUE(agw::takeFrames(garbage).empty());
  EXPECT_TRUE(garbage.isEmpty());
}

TEST(AgwFrames, EachFrameKeepsItsOwnCallsAndThoseBeforeAnOutOfStepHeaderAreHandedOut) {
  const struct {
    const char *from, *to;
  } rows[] = {{"Q7CLU", "DX"}, {"Q7CLU", "DX"}, {"Q7ABC", "DX"}, {"Q7ABC", "CQ"}, {"Q7CLU", "DX"}};
  QByteArray stream;
  for (const auto &row : rows) {
    agw::Frame frame = engineFrame('U', row.from, row.to);
    frame.callTo = row.to;
    stream += agw::encode(frame);
  }
  stream += QByteArray(36, '\xFF') + agw::encode(engineFrame('U', "Q7CLU"));
  const auto frames = agw::takeFrames(stream);
  ASSERT_EQ(frames.size(), std::size(rows));
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].callFrom, padded(rows[i].from)) << i;
    EXPECT_EQ(frames[i].callTo, padded(rows[i].to)) << i;
    EXPECT_EQ(frames[i].data, rows[i].to) << i;
  }
  EXPECT_TRUE(stream.isEmpty());
}

TEST(AgwClient, RegistersSendsEachKindAndClosesAgainstAnEngine) {
  FakeAgwEngine engine;
  AgwClient client(engine.port());
  ASSERT_EQ(client.AGWStartPoll("q7abc", "Orvex", 5, 5), 1);
  EXPECT_EQ(client.AGWPutData("Q7NODE", "", 'c', 0, 0), 1);
  EXPECT_EQ(client.AGWPutData("Q7NODE", "", 'P', 0, 0), 0);
  EXPECT_EQ(client.AGWPutData("Q7NODE", "hello\r", 'D', 6, 0), 1);
  EXPECT_EQ(client.AGWPutData("Q7NODE", "", 'd', 0, 0), 1);
  // A call that does not fit an AX.25 address is refused, not cut to another station's.
  EXPECT_EQ(client.AGWPutData("Q7NODETOOLONG", "", 'c', 0, 0), 0);
  client.AGWClose();
  client.AGWClose();

  const auto frames = engine.waitForFrames(6);
  ASSERT_EQ(frames.size(), 6u);
  const struct {
    char kind;
    const char *to;
    int pid;
    QByteArray data;
  } rows[] = {{'X', "", 0, {}},       {'m', "", 0, {}},
              {'C', "Q7NODE", 0, {}}, {'D', "Q7NODE", 0xF0, "hello\r"},
              {'d', "Q7NODE", 0, {}}, {'x', "", 0, {}}};
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].kind, rows[i].kind) << i;
    EXPECT_EQ(frames[i].callFrom, padded("Q7ABC")) << i;
    EXPECT_EQ(frames[i].callTo, padded(rows[i].to)) << i;
    EXPECT_EQ(frames[i].pid, rows[i].pid) << i;
    EXPECT_EQ(frames[i].data, rows[i].data) << i;
  }
  EXPECT_EQ(engine.connections(), 1);
}

TEST(AgwClient, HandsOverOneFrameAtATimeAsTheWindowReadsIt) {
  FakeAgwEngine engine;
  AgwClient client(engine.port());
  ASSERT_EQ(client.AGWStartPoll("Q7ABC", "", 5, 0), 1);
  EXPECT_EQ(getData(client).result, 0);

  // Replies to the client's own requests, a connect notice, a monitor frame in two pieces with
  // a NUL inside and one at its end, a call without any NUL, a long data text.
  QByteArray burst =
      agw::encode(engineFrame('R', "", QByteArray(8, '\0'))) +
      agw::encode(engineFrame('G', "", "1;Port1 x;")) +
      agw::encode(engineFrame('C', "Q7NODE", QByteArray("*** CONNECTED With Station Q7NODE\r", 35))) +
      agw::encode(engineFrame('y', "", QByteArray(4, '\0')));
  burst.append("\0", 1);
  const QByteArray monitor =
      agw::encode(engineFrame('U', "Q7CLU", QByteArray(" 1:Fm Q7CLU To DX\rDX\0de\r\0", 25)));
  engine.send(burst.left(burst.size() - 1));
  engine.send(monitor.left(30));
  Got got = nextFrame(client);
  ASSERT_EQ(got.result, 1);
  EXPECT_EQ(got.kind, 'c');
  EXPECT_EQ(got.call, QString("Q7NODE") + QChar(0));
  EXPECT_EQ(got.data, "*** CONNECTED With Station Q7NODE\r");
  EXPECT_EQ(got.length, got.data.size());
  EXPECT_EQ(getData(client).result, 0);

  engine.send(monitor.mid(30) + agw::encode(engineFrame('U', "Q7ABCDEFGH", "x")) +
              agw::encode(engineFrame('I', "Q7CLU", QByteArray(5000, 'a'))));
  got = nextFrame(client);
  EXPECT_EQ(got.kind, 'U');
  EXPECT_EQ(got.data, QString::fromLatin1(QByteArray(" 1:Fm Q7CLU To DX\rDX\0de\r", 24)));
  got = nextFrame(client);
  EXPECT_EQ(got.call, "Q7ABCDEFGH");
  got = nextFrame(client);
  EXPECT_EQ(got.kind, 'I');
  EXPECT_EQ(got.data.size(), 4000);
  EXPECT_EQ(got.length, 4000);
  EXPECT_EQ(getData(client).result, 0);
}

TEST(AgwClient, FailsWhenTheEngineRefusesOrIsAbsent) {
  {
    FakeAgwEngine refusing(0);
    AgwClient client(refusing.port());
    EXPECT_EQ(client.AGWStartPoll("Q7ABC", "", 5, 0), 0);
    EXPECT_FALSE(client.registered());
  }
  quint16 closedPort = 0;
  {
    FakeAgwEngine gone;
    closedPort = gone.port();
  }
  AgwClient nobody(closedPort);
  EXPECT_EQ(nobody.AGWStartPoll("Q7ABC", "", 5, 0), 0);
  EXPECT_EQ(nobody.AGWPutData("Q7NODE", "", 'c', 0, 0), 0);

  // Too long for an address, or empty: the engine is never contacted.
  FakeAgwEngine engine;
  AgwClient client(engine.port());
  EXPECT_EQ(client.AGWStartPoll("Q7ABCDEFGH", "", 10, 0), 0);
  EXPECT_EQ(client.AGWStartPoll("", "", 0, 0), 0);
  EXPECT_EQ(engine.connections(), 0);
}

TEST(AgwClient, RegisteringAgainClosesTheOldSessionFirst) {
  FakeAgwEngine engine;
  AgwClient client(engine.port());
  ASSERT_EQ(client.AGWStartPoll("Q7ABC", "", 5, 0), 1);
  ASSERT_EQ(client.AGWStartPoll("Q7ABC", "", 5, 0), 1);
  const auto frames = engine.waitForFrames(5);
  std::string kinds;
  for (const auto &frame : frames)
    kinds += frame.kind;
  EXPECT_EQ(kinds, "Xmx"
                   "Xm");
  EXPECT_EQ(engine.connections(), 2);
}

TEST(AgwClient, KeepsTheNewest1000FramesWaiting) {
  FakeAgwEngine engine;
  AgwClient client(engine.port());
  ASSERT_EQ(client.AGWStartPoll("Q7ABC", "", 5, 0), 1);
  QByteArray burst;
  for (int n = 0; n < 1200; ++n)
    burst += agw::encode(engineFrame('U', "Q7CLU", QByteArray::number(n)));
  engine.send(burst);
  // All of it across the socket before the first frame is taken.
  QThread::msleep(200);
  EXPECT_EQ(nextFrame(client).data, "200");
  int waiting = 1;
  while (getData(client).result)
    ++waiting;
  EXPECT_EQ(waiting, 1000);
}
