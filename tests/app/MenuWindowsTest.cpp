// The main window's menu bar and the windows its commands open: modal and kept, modal and
// unloaded, or beside the main window; and the close box unloading them all.
#include "logging/Form1.h"

#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmCWStrings.h"
#include "platform/Controls.h"
#include "rig/RigControlfrm.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/KeyLineDoubles.h"
#include "tests/support/TestContext.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The menu bar as one list: each caption with its menus before it ("&Options/&Transmit/&CW"),
// "-" for a separator.
void layout(const QList<QAction *> &actions, const QString &prefix, QStringList &items) {
  for (const QAction *a : actions) {
    const QString item = prefix + (a->isSeparator() ? QStringLiteral("-") : a->text());
    items << item;
    if (const QMenu *menu = a->menu<QMenu *>())
      layout(menu->actions(), item + u'/', items);
  }
}

// The commands of a menu bar, in its menus and their submenus.
void commands(const QList<QAction *> &actions, QList<QAction *> &found) {
  for (QAction *a : actions) {
    if (const QMenu *menu = a->menu<QMenu *>())
      commands(menu->actions(), found);
    else if (!a->isSeparator())
      found << a;
  }
}

class MenuWindows : public ShownMainWindow {
protected:
  std::vector<LineChange> changes;
  void SetUp() override {
    pc.ctx->newSerialKeyLine = [this] { return std::make_unique<FakeSerialKeyLine>(pc.clock, changes); };
    pc.ctx->printerPorts = std::make_unique<FakePrinterPorts>(pc.clock);
    ShownMainWindow::SetUp();
  }
};

} // namespace

TEST_F(MenuWindows, TheMenuBarIsLaidOutAsDesigned) {
  QStringList items;
  layout(f.menuBar()->actions(), QString(), items);
  const QStringList expected{
      "&File",
      "&File/&New",
      "&File/-",
      "&File/A&rchive Current Log",
      "&File/-",
      "&File/Open",
      "&File/&Write Cabrillo File",
      "&File/-",
      "&File/E&xport for Tamblog Import",
      "&File/Export &ADIF Format",
      "&File/-",
      "&File/&Combine or Restore From Backup",
      "&File/-",
      "&File/Copy &Listed Items to Clipboard",
      "&File/-",
      "&File/&Exit",
      "&Options",
      "&Options/&Transmit",
      "&Options/&Transmit/&CW",
      "&Options/&Transmit/&Voice",
      "&Options/-",
      "&Options/&Appearance",
      "&Options/&Appearance/&Form Size",
      "&Options/&Appearance/&Taskbar",
      "&Options/-",
      "&Options/&Refresh Rate",
      "&Options/-",
      "&Options/Rig &Interface",
      "&Options/-",
      "&Options/&DX Spotting",
      "&Options/&DX Spotting/&Configure",
      "&Options/&DX Spotting/&View Spectrum Map",
      "&Options/-",
      "&Options/&Voice Navigation",
      "&Options/-",
      "&Options/&Post Contest Mode",
      "&Setup",
      "&Clear",
      "&Band",
      "&Band/1&60",
      "&Band/&80",
      "&Band/&40",
      "&Band/&20",
      "&Band/1&5",
      "&Band/&10",
      "&Band/-",
      "&Band/&Privileges",
      "&Graph",
      "&Help",
  };
  EXPECT_EQ(items, expected);
}

TEST_F(MenuWindows, TheCwKeyerIsModalAndKeptAndComesToTheFrontWhenShown) {
  CWFrm *shown = nullptr;
  whenModal(&f, [&](QWidget *modal) {
    shown = qobject_cast<CWFrm *>(modal);
    if (shown)
      shown->Text1->setText(QStringLiteral("CQ TEST"));
  });
  f.mnuCw->trigger();
  ASSERT_TRUE(shown);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(pc.ctx->loaded<CWFrm>());
  QString kept;
  whenModal(&f, [&](QWidget *modal) { kept = qobject_cast<CWFrm *>(modal)->Text1->text(); });
  f.mnuCw->trigger();
  EXPECT_EQ(kept, QStringLiteral("CQ TEST"));

  // On screen beside the main window already (Ctrl+C): brought to the front, not shown again.
  QTest::keyClick(f.txtCall, Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(shown->isVisible());
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.mnuCw->trigger();
  EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
  EXPECT_FALSE(shown->isModal());
}

TEST_F(MenuWindows, RigInterfaceAndDxSpottingOpenBesideTheMainWindow) {
  pc.shipDataFile(QStringLiteral("BandPlan.txt"));
  const QString wasCurrent = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  f.mnuRigInterface->trigger();
  QDir::setCurrent(wasCurrent);
  RigControlfrm &rig = pc.ctx->window<RigControlfrm>();
  EXPECT_TRUE(rig.isVisible());
  EXPECT_FALSE(rig.isModal());
  EXPECT_FALSE(rig.BandPlanRows.empty()) << "the band plan comes from the program folder";

  // Configure stores the preferences first; a file that cannot be written is reported and the
  // window opens all the same.
  QFile::remove(pc.preferencesPath());
  f.mnuDXSpotting->trigger();
  EXPECT_TRUE(QFileInfo::exists(pc.preferencesPath()));
  PacketSpotfrm &spots = pc.ctx->window<PacketSpotfrm>();
  EXPECT_TRUE(spots.isVisible());
  spots.hide();
  QFile::remove(pc.preferencesPath());
  ASSERT_TRUE(QDir().mkdir(pc.preferencesPath()));
  f.mnuDXSpotting->trigger();
  ASSERT_FALSE(pc.dialogs.shown.empty());
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Unable to save preferences."));
  EXPECT_TRUE(spots.isVisible());

  f.mnuBlind->trigger();
  EXPECT_TRUE(pc.ctx->window<BlindFrm>().isVisible());
  EXPECT_FALSE(pc.ctx->window<BlindFrm>().isModal());
  QTest::keyClicks(f.txtCall, QStringLiteral("K1"));
  EXPECT_EQ(f.txtCall->text(), QStringLiteral("K1")) << "the main window still takes keys";

  // The voice keyer is modal from the menu and stays loaded.
  QString modalShown;
  whenModal(&f, [&](QWidget *modal) { modalShown = modal ? modal->metaObject()->className() : ""; });
  f.mnuVoice->trigger();
  EXPECT_EQ(modalShown, QStringLiteral("PhoneFrm"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(pc.ctx->loaded<PhoneFrm>());
}

TEST_F(MenuWindows, TheSpectrumMapIsModalAndStartsAfreshEachTime) {
  QWidget *shown = nullptr;
  whenModal(&f, [&](QWidget *modal) { shown = modal; });
  f.mnuSpectrumMap->trigger();
  EXPECT_TRUE(qobject_cast<SpectrumMap *>(shown));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(pc.ctx->loaded<SpectrumMap>());
}

TEST_F(MenuWindows, TheCloseBoxUnloadsEveryWindowTheCommandsOpened) {
  for (const Qt::Key letter : {Qt::Key_W, Qt::Key_P})
    QTest::keyClick(f.txtCall, letter, Qt::ControlModifier);
  f.mnuBlind->trigger();
  f.mnuRigInterface->trigger();
  f.mnuDXSpotting->trigger();
  whenModal(&f, [](QWidget *) {});
  f.mnuCw->trigger();
  f.close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(pc.ctx->loaded<frmCWStrings>());
  EXPECT_FALSE(pc.ctx->loaded<PhoneFrm>());
  EXPECT_FALSE(pc.ctx->loaded<BlindFrm>());
  EXPECT_FALSE(pc.ctx->loaded<CWFrm>());
  EXPECT_FALSE(pc.ctx->loaded<RigControlfrm>());
  EXPECT_FALSE(pc.ctx->loaded<PacketSpotfrm>());
}

// A command given while a CW message has its log sign still to send waits for it, so that it acts
// on the next contact, and goes with the keys held when the message stops short of it (their one
// beep); only the commands that open a window open it at once.
TEST_F(MenuWindows, DuringAMessageThatHoldsItsLogSignEveryCommandButThoseThatOpenAWindowWaits) {
  const QList<QAction *> opensWindow{f.mnuWriteSumm,    f.mnuCombine,    f.mnuCw,          f.mnuVoice,
                                     f.mnuRigInterface, f.mnuDXSpotting, f.mnuSpectrumMap, f.mnuBlind,
                                     f.mnuPrivileges,   f.mnuGraph,      f.mnuHelp,        f.mnuSetup};
  KeyingState &k = pc.ctx->keying;
  const auto holding = [&](bool on) {
    k.CWSending = on ? 1 : 0;
    k.CWBuffer = on ? QStringLiteral("TU !") : QString();
  };
  QList<QAction *> all;
  commands(f.menuBar()->actions(), all);
  for (QAction *command : all) {
    if (opensWindow.contains(command))
      continue;
    SCOPED_TRACE(command->text().toStdString());
    const bool checked = command->isChecked();
    holding(true);
    command->trigger();
    EXPECT_EQ(command->isChecked(), checked) << "the mark waits with the command";
    holding(false);
    const int beeps = pc.dialogs.beeps;
    QTest::qWait(30);
    EXPECT_EQ(pc.dialogs.beeps, beeps + 1);
  }
  EXPECT_TRUE(pc.dialogs.shown.empty());

  holding(true);
  f.mnuRigInterface->trigger();
  EXPECT_TRUE(pc.ctx->window<RigControlfrm>().isVisible());
  holding(false);
}
