// Code practice on the CW keyer's fake key line and clock, and the CW messages window.
#include "keying/CWFrm.h"
#include "keying/frmCWStrings.h"
#include "keying/frmCodePractice.h"
#include "keying/frmWinKey.h"
#include "platform/Controls.h"
#include "tests/support/FakeWinKey.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/TestContext.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Keying : ::testing::Test, PcAtHome {
  KeyingState &k = pc.ctx->keying;
  std::vector<LineChange> changes;
  FakeWinKey *wk = nullptr;
  std::function<void()> onEvents;
  CWFrm *cw = nullptr;

  void SetUp() override {
    pc.ctx->newSerialKeyLine = [this] { return std::make_unique<FakeSerialKeyLine>(pc.clock, changes); };
    auto fake = std::make_unique<FakeWinKey>();
    wk = fake.get();
    pc.ctx->winKey = std::move(fake);
    pc.ctx->doEvents = [this] {
      if (onEvents)
        onEvents();
    };
    cw = &pc.ctx->window<CWFrm>();
    cw->OptSleep->setChecked(true);
    cw->Option1->setChecked(true); // RTS
    cw->Text10->setText(QStringLiteral("1"));
    cw->Text11->setText(QStringLiteral("20"));
  }
  // The WinKey method with the keyer open.
  void useWinKey() {
    cw->Option5->setChecked(true);
    pc.ctx->window<frmWinKey>().cmdOpenWinkey_Click();
    wk->calls.clear();
  }
};

struct Practice : Keying {
  frmCodePractice *p = nullptr;
  void SetUp() override {
    Keying::SetUp();
    p = &pc.ctx->window<frmCodePractice>();
    p->seedSource = [] { return 42; };
    p->Form_Load();
  }
};

} // namespace

TEST_F(Practice, GroupsFollowTheBoxesAndTheLetterChoice) {
  p->Command2_Click();
  const QString all = p->Text1->toPlainText();
  EXPECT_EQ(all.size(), 60);
  EXPECT_TRUE(all.endsWith(u' '));
  p->Command2_Click();
  EXPECT_EQ(p->Text1->toPlainText(), all) << "the seed comes from the seed source";

  p->Option1->setChecked(true);
  p->Text3->setText(QStringLiteral("abc"));
  p->Text4->setText(QStringLiteral("x"));
  p->Command2_Click();
  EXPECT_EQ(p->Text3->text(), QStringLiteral("10"));
  EXPECT_EQ(p->Text4->text(), QStringLiteral("5"));
  for (const QChar c : p->Text1->toPlainText())
    EXPECT_TRUE(c == u' ' || (c >= u'A' && c <= u'Z')) << QString(c).toStdString();

  p->Text2->setPlainText(QStringLiteral("CQ TEST DE K1ABC"));
  p->show();
  saveScreenshot(*p, QStringLiteral("frmCodePractice"));
  p->hide();
  p->Text3->setText(QStringLiteral("0"));
  p->Command2_Click();
  EXPECT_TRUE(p->Text1->toPlainText().isEmpty());
}

TEST_F(Practice, TheSendLoopFollowsStopEditsAndASecondSend) {
  // Stop while the first character is keyed: nothing more is shown or sent.
  p->Text1->setPlainText(QStringLiteral("EE"));
  int sleeps = 0;
  pc.clock.whileSleeping = [&] {
    if (++sleeps == 1)
      p->Command4_Click();
  };
  p->Command3_Click();
  EXPECT_TRUE(p->Text2->toPlainText().isEmpty());
  EXPECT_EQ(p->Text1->toPlainText(), QStringLiteral("EE"));
  const size_t afterOne = changes.size();
  EXPECT_GT(afterOne, 0u);
  pc.clock.whileSleeping = {};

  // Text typed behind the caret while sending is sent in its turn.
  p->Text1->setPlainText(QStringLiteral("AB"));
  onEvents = [&] {
    onEvents = {};
    p->Text1->setPlainText(QStringLiteral("ABC"));
  };
  p->Command3_Click();
  EXPECT_EQ(p->Text2->toPlainText(), QStringLiteral("ABC"));

  // A second Send runs a whole pass inside the first one.
  p->Command5_Click();
  p->Text1->setPlainText(QStringLiteral("AB"));
  onEvents = [&] {
    if (k.CWSending == 0) { // the send loop's own pause, not the drain's
      onEvents = {};
      p->Command3_Click();
    }
  };
  p->Command3_Click();
  EXPECT_EQ(p->Text2->toPlainText(), QStringLiteral("AABB"));
}

TEST_F(Practice, LiveTypingSpeedAndPaste) {
  k.CWSending = 1; // a drain is running: typed keys only join the queue
  QTest::keyClicks(p->Text5, QStringLiteral("ab"));
  EXPECT_EQ(p->Text2->toPlainText(), QStringLiteral("AB"));
  EXPECT_EQ(k.CWBuffer, QStringLiteral("AB"));
  EXPECT_TRUE(p->Text5->text().isEmpty());
  k.CWBuffer.clear(); // keyed meanwhile
  QTest::keyClick(p->Text5, Qt::Key_Backspace);
  EXPECT_EQ(p->Text2->toPlainText(), QStringLiteral("A"));
  k.CWSending = 0;

  cw->Text11->setText(QStringLiteral("13"));
  p->Command7_Click();
  EXPECT_EQ(cw->Text11->text(), QStringLiteral("14"));
  EXPECT_EQ(p->Label8->text(), QStringLiteral("14"));
  p->Command8_Click();
  p->Command8_Click();
  EXPECT_EQ(p->Label8->text(), QStringLiteral("12"));

  p->Text1->clear();
  QTest::keyClicks(p->Text1, QStringLiteral("cq de"));
  EXPECT_EQ(p->Text1->toPlainText(), QStringLiteral("CQ DE"));

  QApplication::clipboard()->clear();
  p->Text1->setPlainText(QStringLiteral("old"));
  p->Command1_Click();
  EXPECT_TRUE(p->Text1->toPlainText().isEmpty());
}

TEST_F(Practice, ClosingIsRefusedWhileKeyingAndEndsAWinKeySendUntouched) {
  p->show();
  k.CWSending = 1;
  k.CWBuffer = QStringLiteral("X");
  p->close();
  EXPECT_TRUE(p->isVisible());
  EXPECT_TRUE(k.CWBuffer.isEmpty());
  QTest::keyClick(p, Qt::Key_Escape);
  EXPECT_TRUE(p->isVisible());
  k.CWSending = 0;

  useWinKey();
  p->Text1->setPlainText(QStringLiteral("ABC"));
  wk->statuses = {5}; // busy: the hand-over lets events run, and the window is closed
  onEvents = [&] {
    onEvents = {};
    p->close();
  };
  p->Command3_Click();
  EXPECT_FALSE(p->isVisible());
  EXPECT_TRUE(wk->handedOver().isEmpty());
  EXPECT_TRUE(p->Text2->toPlainText().isEmpty()) << "the closed window is left alone";
}

TEST_F(Keying, TheMessagesWindowSendsARowAsItsKeyWould) {
  const std::array<TextBox *, 11> boxes = cw->messageBoxes();
  for (size_t i = 0; i < boxes.size(); ++i)
    boxes[i]->setText(QString(QChar(u'A' + static_cast<char16_t>(i))));
  frmCWStrings &s = pc.ctx->window<frmCWStrings>();
  s.Form_Load();
  s.show();
  useWinKey();
  for (int row = 0; row < 12; ++row) {
    wk->calls.clear();
    QTest::mouseClick(row % 2 ? s.lblCWString[static_cast<size_t>(row)] : s.Label1[static_cast<size_t>(row)],
                      Qt::LeftButton);
    EXPECT_EQ(wk->handedOver(), row < 11 ? boxes[static_cast<size_t>(row)]->text() : QString()) << row;
  }
  cw->Option4->setChecked(true);
  wk->calls.clear();
  s.Label1_Click(0);
  EXPECT_TRUE(wk->calls.isEmpty());
}

TEST_F(Keying, TheMessagesWindowShowsRawTextsOnActivationAndForwardsKeys) {
  Form1 &main = pc.laidOutForm();
  cw->Text1->setText(QStringLiteral("CQ $ TEST"));
  frmCWStrings &s = pc.ctx->window<frmCWStrings>();
  s.Form_Load();
  EXPECT_TRUE(s.lblCWString[0]->text().isEmpty());
  EXPECT_EQ(s.lblCWString[11]->text(), QStringLiteral("Keyboard"));
  s.show();
  s.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
  EXPECT_EQ(s.lblCWString[0]->text(), QStringLiteral("CQ $ TEST"));
  cw->Text1->setText(QStringLiteral("QRZ"));
  EXPECT_EQ(s.lblCWString[0]->text(), QStringLiteral("CQ $ TEST"));
  saveScreenshot(s, QStringLiteral("frmCWStrings"));

  main.txtCall->setText(QStringLiteral("K1ABC"));
  QTest::keyClick(&s, Qt::Key_Escape);
  EXPECT_TRUE(main.txtCall->text().isEmpty());

  s.Command1->click();
  EXPECT_TRUE(s.windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(pc.ctx->loaded<frmCWStrings>());
}

TEST_F(Keying, TheCwSettingsDoneShowsTheMessagesWindowMinimisedWithAMethodSet) {
  cw->Option4->setChecked(true);
  cw->Command1_Click();
  EXPECT_FALSE(pc.ctx->loaded<frmCWStrings>());
  cw->Option1->setChecked(true);
  cw->Command1_Click();
  ASSERT_TRUE(pc.ctx->loaded<frmCWStrings>());
  EXPECT_TRUE(pc.ctx->window<frmCWStrings>().isMinimized());
}
