#include "app/Form5.h"

#include "platform/VbText.h"
#include "tests/support/TestContext.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
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

namespace {

// Every command of the main window's menu bar as the help names it: the menus and the command
// joined by ", " ("Options, Appearance, Form Size"), without the access-key marks.
void collectMenuPaths(const QList<QAction *> &actions, const QString &prefix, QStringList &paths) {
  for (const QAction *a : actions) {
    if (a->isSeparator())
      continue;
    const QString path = prefix + QString(a->text()).remove(u'&');
    if (const QMenu *menu = a->menu<QMenu *>())
      collectMenuPaths(menu->actions(), path + QStringLiteral(", "), paths);
    else
      paths << path;
  }
}

// The commands the help's MENUS section describes: its lines that are not indented, each
// naming one or more commands set apart by three blanks or more.
QStringList describedMenuPaths(const QString &help) {
  const QStringList lines = help.split(QStringLiteral("\r\n"));
  QStringList paths;
  const qsizetype start = lines.indexOf(QStringLiteral("MENUS"));
  for (qsizetype i = start + 2; start >= 0 && i < lines.size(); ++i) {
    if (i + 1 < lines.size() && lines[i + 1].startsWith(QStringLiteral("---")))
      break; // the next section's heading
    if (!lines[i].isEmpty() && !lines[i].startsWith(u' '))
      paths << lines[i].split(QRegularExpression(QStringLiteral("\\s{3,}")), Qt::SkipEmptyParts);
  }
  return paths;
}

} // namespace

TEST(HelpPage, ShippedHelpTextDescribesEveryMenuCommandAndNoOther) {
  TestPc pc{QString()};
  QStringList commands;
  collectMenuPaths(pc.form().menuBar()->actions(), QString(), commands);
  const auto help = vb::readLatin1(sourceDataDir() + QStringLiteral("/orvexhlp.txt"));
  ASSERT_TRUE(help);
  const QStringList described = describedMenuPaths(*help);
  for (const QString &command : commands)
    EXPECT_TRUE(described.contains(command)) << "not described: " << command.toStdString();
  for (const QString &path : described)
    EXPECT_TRUE(commands.contains(path)) << "no such command: " << path.toStdString();
}
