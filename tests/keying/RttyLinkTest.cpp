// The link to the outside RTTY program, against a peer that plays that program: a local server
// of its own name, offering the twenty items and recording every line it gets.
#include "keying/RttyLink.h"
#include "keying/frmDigitalSource.h"
#include "platform/Controls.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/FakeRttyPeer.h"
#include "tests/support/TestContext.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>

namespace {

struct RttyLink : ::testing::Test {
  TestLogFile log;
  TestPc pc{log.path};
  Form1 &f = pc.laidOutForm();
  FakeRttyPeer peer;
  frmDigitalSource &link = pc.ctx->window<frmDigitalSource>();
  KeyingState &k = pc.ctx->keying;

  void SetUp() override {
    pc.state().station.ModeCode = QStringLiteral("ry");
    pc.state().station.MyCall = QStringLiteral("K1ABC");
    link.serverName = peer.name;
  }
  // Lets arriving lines in, with the link's own end bounded.
  static void settle() { QTest::qWait(50); }
};

} // namespace

TEST_F(RttyLink, ConnectsWithThePeerSendsTheOwnCallAndSerialAndEmptiesTheIncomingBoxes) {
  f.txtCall->setText(QStringLiteral("OLD"));
  f.txtRSTR->setText(QStringLiteral("599"));
  f.txtSec->setText(QStringLiteral("12"));
  f.Label4->setText(QStringLiteral(" 007 "));
  f.ConnectRttyLink();
  EXPECT_EQ(k.Q4ZDLinkOn, 1);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  const auto &box = pc.dialogs.shown[0];
  EXPECT_EQ(box.title, QStringLiteral("Connected with Q4ZD!"));
  EXPECT_EQ(box.text,
            QStringLiteral("Connected with Q4ZD!\r\n\r\nFor best display of both programs on your screen, "
                           "click Options > Appearance > Form Size and enter 85 from this program's "
                           "menu options."));
  EXPECT_EQ(box.icon, Dialogs::Icon::Information);
  // The first connect finds the incoming boxes at their design names: emptying them empties
  // the main window's boxes.
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  EXPECT_TRUE(f.txtRSTR->text().isEmpty());
  EXPECT_TRUE(f.txtSec->text().isEmpty());
  // The second send finds the same texts and sends nothing more.
  ASSERT_TRUE(peer.waitFor(2));
  settle();
  EXPECT_EQ(peer.got, (QStringList{QStringLiteral("txtBMyCall=K1ABC"), QStringLiteral("txtBField3=007")}));
}

TEST_F(RttyLink, WithoutThePeerSaysSoAndLeavesTheMainWindowAlone) {
  link.serverName = peer.name + QStringLiteral("-gone");
  f.txtCall->setText(QStringLiteral("W1AW"));
  f.txtRSTR->setText(QStringLiteral("599"));
  k.Q4ZDLinkOn = 1;
  f.ConnectRttyLink();
  EXPECT_EQ(k.Q4ZDLinkOn, 0);
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  const auto &box = pc.dialogs.shown[0];
  EXPECT_EQ(box.title, QStringLiteral("Unable to find Q4ZD RTTY."));
  EXPECT_EQ(box.text, QStringLiteral("Please start Q4ZD RTTY and click Setup to try again!"));
  EXPECT_EQ(box.icon, Dialogs::Icon::Critical);
  EXPECT_TRUE(link.txtBMyCall->text().isEmpty()) << "only the first box was handled";
  EXPECT_EQ(link.txtBUrCall->text(), QStringLiteral("txtBUrCall"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("W1AW"));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("599"));
}

TEST_F(RttyLink, IncomingValuesFillTheEntryRowAndTheCallGoesBack) {
  peer.values = {{QStringLiteral("txtSUrCall"), QStringLiteral("w1aw")},
                 {QStringLiteral("txtSField2"), QStringLiteral("unused")},
                 {QStringLiteral("txtSMyCall"), QStringLiteral("N0CALL")}};
  f.ConnectRttyLink();
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.txtCall->text() == QStringLiteral("W1AW"); }, 2000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return peer.got.contains(QStringLiteral("txtBUrCall=W1AW")); }, 2000));
  peer.set(QStringLiteral("txtSField1"), QStringLiteral("599"));
  peer.set(QStringLiteral("txtSField3"), QStringLiteral("007"));
  for (int n = 4; n <= 8; ++n)
    peer.set(QStringLiteral("txtSField%1").arg(n), QStringLiteral("x"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return link.txtSField8->text() == QStringLiteral("x"); }, 2000));
  EXPECT_EQ(f.txtRSTR->text(), QStringLiteral("599"));
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("007"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("W1AW")) << "the unused items change nothing";
  EXPECT_EQ(k.TheirCall, QStringLiteral("W1AW")) << "the call's own handling ran";
}

TEST_F(RttyLink, TextFromOutsideKeepsOnlyWhatTypingCouldPutIntoTheField) {
  // Each text comes as the RTTY program's call, report and serial, and as a spotted call.
  const QChar nul(0);
  const struct {
    QString text, call, digits;
  } rows[] = {
      {QStringLiteral("dl1\a\u00e4\x1b"
                      "bc"),
       QStringLiteral("DL1\u00c4BC"), QStringLiteral("1")},
      {QStringLiteral("W1") + nul + QStringLiteral("AW"), QStringLiteral("W1AW"), QStringLiteral("1")},
      {QStringLiteral("w1aw/p"), QStringLiteral("W1AW/P"), QStringLiteral("1")},
      {QStringLiteral("dl1abc      C"), QStringLiteral("DL1ABC"), QStringLiteral("1")},
      {QStringLiteral("dl1abc\tC"), QStringLiteral("DL1ABC"), QStringLiteral("1")},
      {QStringLiteral("\u00a0dl1abc\u00a0C"), QStringLiteral("DL1ABC"), QStringLiteral("1")},
      {QStringLiteral(" \"K1'ABC\" "), QStringLiteral("K1ABC"), QStringLiteral("1")},
      {QStringLiteral("5\u00ad9\u00859\x7f"), QStringLiteral("599"), QStringLiteral("599")},
      {QStringLiteral("\u04167"), QStringLiteral("7"), QStringLiteral("7")},
  };
  f.ConnectRttyLink();
  ASSERT_TRUE(peer.waitFor(2));
  for (const auto &row : rows) {
    const std::string what = row.text.toStdString();
    for (const char *item : {"txtSUrCall", "txtSField1", "txtSField3"})
      peer.set(QString::fromLatin1(item), row.text);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.txtSField3->text() == row.text; }, 2000)) << what;
    EXPECT_EQ(link.txtSUrCall->text(), row.text) << what << ": the link's own item is unchanged";
    EXPECT_EQ(f.txtCall->text(), row.call) << what;
    EXPECT_EQ(f.txtRSTR->text(), row.digits) << what;
    EXPECT_EQ(f.txtSec->text(), row.digits) << what;

    QString call = row.text, frequency = QStringLiteral("14025.0"), record = QStringLiteral("DX de K1TTT:");
    f.BandMapSpots(call, frequency, record);
    const std::function<void()> clicks[] = {
        [&] {
          f.txtDX->setCurrentItem(f.txtDX->topLevelItem(0));
          f.txtDX_Click();
        },
        [&] { f.lblDXSpot_MouseDown(SpottingState::kNewest, Qt::RightButton); },
        [&] { pc.ctx->window<SpectrumMap>().lblDXSpot_MouseDown(SpottingState::kNewest, Qt::RightButton); },
    };
    for (const auto &click : clicks) {
      f.txtCall->setText(QStringLiteral("OLD"));
      click();
      EXPECT_EQ(f.txtCall->text(), row.call) << what << ": a spot clicked";
    }
  }
}

TEST_F(RttyLink, LinkedInRttyTheSerialCallReportAndKeyCodesReachThePeer) {
  f.ConnectRttyLink();
  ASSERT_TRUE(peer.waitFor(2));
  peer.got.clear();
  for (const auto &[caption, next] : {std::pair{QStringLiteral(" 12 "), QStringLiteral("12")},
                                      std::pair{QStringLiteral("001"), QStringLiteral("1")},
                                      std::pair{QStringLiteral(" A1 "), QStringLiteral("A1")}}) {
    f.Label4->setText(caption);
    EXPECT_EQ(k.NextSerial, next) << caption.toStdString();
  }
  f.txtCall->setText(QStringLiteral("DL1ABC"));
  f.txtRSTS->setText(QStringLiteral("599"));
  link.txtBField8->setText(QStringLiteral("65"));
  for (const QString &code : {QString(), QStringLiteral("65"), QString(), QStringLiteral("65")})
    link.txtBField8->setText(code);
  ASSERT_TRUE(peer.waitFor(10));
  EXPECT_EQ(peer.got, (QStringList{QStringLiteral("txtBField3=12"), QStringLiteral("txtBField3=001"),
                                   QStringLiteral("txtBField3=A1"), QStringLiteral("txtBUrCall=DL1ABC"),
                                   QStringLiteral("txtBField1=599"), QStringLiteral("txtBField8=65"),
                                   QStringLiteral("txtBField8="), QStringLiteral("txtBField8=65"),
                                   QStringLiteral("txtBField8="), QStringLiteral("txtBField8=65")}));

  // Not in RTTY: the boxes stay as they were.
  pc.state().station.ModeCode = QStringLiteral("CW");
  f.txtCall->setText(QStringLiteral("G4ABC"));
  EXPECT_EQ(link.txtBUrCall->text(), QStringLiteral("DL1ABC"));
}

TEST_F(RttyLink, MalformedLinesAreDroppedAndAnOutgoingBoxSetByThePeerIsNotSentBack) {
  f.ConnectRttyLink();
  ASSERT_TRUE(peer.waitFor(2));
  peer.got.clear();
  peer.say("no tab here\n");
  peer.say("txtUnknown\tx\n");
  peer.say("txtSUrCall\t" + QByteArray(5000, 'A') + "\n");
  peer.say("txtBField2\tfrom peer\n");
  peer.set(QStringLiteral("txtSField3"), QStringLiteral("0\r\n07"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return link.txtSField3->text() == QStringLiteral("0  07"); }, 2000));
  EXPECT_EQ(f.txtSec->text(), QStringLiteral("007"));
  EXPECT_EQ(link.txtBField2->text(), QStringLiteral("from peer"));
  EXPECT_TRUE(f.txtCall->text().isEmpty());
  settle();
  EXPECT_TRUE(peer.got.isEmpty()) << peer.got.join(u'|').toStdString();
}

TEST_F(RttyLink, APeerThatWentAwayIsNotNoticedAndASecondConnectLinksAgain) {
  f.ConnectRttyLink();
  ASSERT_TRUE(peer.waitFor(2));
  delete peer.client;
  settle();
  f.txtCall->setText(QStringLiteral("W1AW"));
  link.txtBField8->setText(QStringLiteral("112"));
  EXPECT_EQ(k.Q4ZDLinkOn, 1);
  EXPECT_EQ(pc.dialogs.shown.size(), 1u) << "a lost peer is silent";

  peer.got.clear();
  f.Label4->setText(QStringLiteral("003"));
  f.ConnectRttyLink();
  EXPECT_EQ(k.Q4ZDLinkOn, 1);
  ASSERT_TRUE(peer.waitFor(2));
  EXPECT_TRUE(peer.got.contains(QStringLiteral("txtBField3=003")));

  // Closing the main window ends the conversation.
  f.close();
  EXPECT_FALSE(pc.ctx->loaded<frmDigitalSource>());
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return !peer.client || peer.client->state() != QLocalSocket::ConnectedState; }, 2000));
}

TEST(RttyLinkName, IsTheRttyProgramsFixedServer) {
  TestLogFile log;
  TestPc pc{log.path};
  EXPECT_EQ(pc.ctx->window<frmDigitalSource>().serverName, QStringLiteral("Q4ZD_RTTY.frmDigitalDest"));
  std::vector<QString> names;
  for (TextBox *box : pc.ctx->window<frmDigitalSource>().boxes())
    names.push_back(box->objectName());
  EXPECT_EQ(names.front(), QStringLiteral("txtBMyCall"));
  EXPECT_EQ(names.back(), QStringLiteral("txtSField8"));
}
