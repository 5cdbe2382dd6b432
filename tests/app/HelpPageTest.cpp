#include "app/Form5.h"

#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

TEST(HelpPage, ShowsTheHelpFileLineByLine) {
  TestPc pc{QString()};
  ASSERT_TRUE(vb::writeLatin1Atomic(pc.programDir.filePath(QStringLiteral("OrvexHlp.TXT")),
                                    QStringLiteral("Keys\r\nEnter logs\nEsc clears\r\n")));
  Form5 &help = pc.ctx->window<Form5>();
  help.Form_Load();
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Help Page"));
  EXPECT_EQ(help.Command1->text(), QStringLiteral("Close"));
  EXPECT_EQ(help.Text1->document()->blockCount(), 4);
  EXPECT_EQ(help.Text1->toPlainText(), QStringLiteral("Keys\nEnter logs\nEsc clears\n"));
  EXPECT_TRUE(help.Text1->isReadOnly());
}

TEST(HelpPage, OpensEmptyWithoutItsFileAndCloseEndsIt) {
  TestPc pc{QString()};
  Form5 *opened = nullptr;
  QString shownText = QStringLiteral("unset");
  QTimer::singleShot(0, [&] {
    opened = &pc.ctx->window<Form5>();
    shownText = opened->Text1->toPlainText();
    opened->Command1->click();
  });
  pc.form().mnuHelp_Click();
  EXPECT_NE(opened, nullptr);
  EXPECT_EQ(shownText, QString());
  EXPECT_TRUE(pc.dialogs.shown.empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(pc.ctx->loaded<Form5>());
}

TEST(HelpPage, ShippedHelpTextIsReadable) {
  TestPc pc{QString()};
  ASSERT_TRUE(QFile::copy(sourceDataDir() + QStringLiteral("/orvexhlp.txt"),
                          pc.programDir.filePath(QStringLiteral("orvexhlp.txt"))));
  Form5 &help = pc.ctx->window<Form5>();
  help.Form_Load();
  EXPECT_TRUE(help.Text1->toPlainText().contains(QStringLiteral("Help")));
  EXPECT_FALSE(help.Text1->toPlainText().contains(u'\r'));
}
