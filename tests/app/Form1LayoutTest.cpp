// The main window laid out at load on set screens, checked in pixels; its Form Size and Taskbar
// menu items; the scaling rules applied to a real dialog.
#include "app/ScreenScaling.h"
#include "logging/ContactListView.h"
#include "tests/support/TestContext.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A station PC whose main window is made on the given screen, with the given stored layout.
struct Station {
  Station(int width, int height, int workHeight = 0, int percent = 100, int taskbar = 0) : pc(QString()) {
    pc.ctx->screen = std::make_unique<FixedScreenMetrics>(width, height, width, workHeight);
    pc.ctx->prefs.FormSizePercent = percent;
    pc.ctx->prefs.TaskbarLayout = taskbar;
  }
  TestPc pc;
  Form1 &form() { return pc.laidOutForm(); }
  MainPreferences &prefs() { return pc.ctx->prefs; }
};

double appPoints() {
  return QApplication::font().pointSizeF();
}

} // namespace

TEST(MainWindowLayout, FullHdScreenInPixels) {
  Station s(1920, 1080);
  Form1 &f = s.form();
  f.show();
  saveScreenshot(f, QStringLiteral("main-1920x1080"));
  EXPECT_EQ(f.pos(), QPoint(0, 0));
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1080 - 31));
  // Design 120, 360, 1,500 x 330 twips by 3 across and 2.25 down.
  EXPECT_EQ(f.txtCall->geometry(), QRect(24, 54, 300, 50));
  EXPECT_DOUBLE_EQ(f.txtCall->font().pointSizeF(), appPoints() * 2.25);
  EXPECT_DOUBLE_EQ(formFont(&f).pointSizeF(), appPoints() * 3);
  EXPECT_EQ(f.ListView1->columnCount(), 12);
  EXPECT_EQ(f.ListView1->headers().value(6), QStringLiteral("Da/Time"));
  EXPECT_EQ(f.ListView1->columnWidth(0), 102); // 510 twips x 3
  EXPECT_EQ(f.txtDX->columnCount(), 8);
  EXPECT_EQ(f.txtDX->headerItem()->text(3), QStringLiteral("Status"));
  EXPECT_EQ(f.txtDX->columnWidth(3), 0);
  EXPECT_EQ(f.txtDX->columnWidth(4), 680);
  EXPECT_FALSE(f.mnuTaskbar->isChecked());
}

TEST(MainWindowLayout, SmallScreenInPixels) {
  Station s(1024, 768);
  Form1 &f = s.form();
  f.show();
  saveScreenshot(f, QStringLiteral("main-1024x768"));
  EXPECT_EQ(f.size(), QSize(1024 - 8, 768 - 31));
  EXPECT_EQ(f.txtCall->geometry(), QRect(13, 38, 160, 35));
  EXPECT_FLOAT_EQ(float(f.txtCall->font().pointSizeF()), float(appPoints() * 1.6));
  EXPECT_EQ(f.ListView1->columnWidth(1), 83); // 780 twips x 1.6
}

namespace {

// Whether `text` shows whole in a column of the list, as its rows or its header draw it.
bool columnHolds(const QTreeView *list, int column, const QString &text, bool header) {
  const QStyle *style = list->style();
  const int margin = header ? style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list->header())
                            : style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  return list->fontMetrics().horizontalAdvance(text) + 2 * margin <= list->columnWidth(column);
}

} // namespace

TEST(MainWindowLayout, ContactListColumnsHoldTheirTextsOnCommonScreens) {
  // A full log's record number, a four-digit serial, the day and time, the longest band.
  const QStringList rows{"14000",    "DL1XYZ", "599", "2873", "599", "1234",
                         "31 14:05", "160",    "USA", "VP2V", "2.5", "4"};
  for (const QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
    Station s(screen.width(), screen.height());
    const ContactListView *list = s.form().ListView1;
    for (int c = 0; c < rows.size(); ++c) {
      EXPECT_TRUE(columnHolds(list, c, rows[c], false)) << screen.width() << " " << qPrintable(rows[c]);
      const QString caption = list->headers().value(c);
      EXPECT_TRUE(columnHolds(list, c, caption, true)) << screen.width() << " " << qPrintable(caption);
    }
  }
}

TEST(MainWindowLayout, StoredPercentageBelowHundredShrinksAtLoad) {
  Station s(1920, 1080, 1040, 90, 1);
  Form1 &f = s.form();
  EXPECT_EQ(f.pos(), QPoint(0, 0));
  EXPECT_EQ(f.size(), QSize(1728 - 8, 972 - 31));
  EXPECT_EQ(f.txtCall->width(), 270);
  EXPECT_NEAR(f.txtCall->font().pointSizeF(), appPoints() * 2.25 * 0.9, 1e-4);
  EXPECT_EQ(f.ListView1->columnWidth(0), 92); // 1,530 twips at 90 %
  EXPECT_EQ(f.txtDX->columnWidth(4), 612);
  // Below 100 % the work area is not applied; the stored check mark is shown.
  EXPECT_TRUE(f.mnuTaskbar->isChecked());
}

TEST(MainWindowLayout, StoredPercentageOfZeroFallsBackToTheFullScreen) {
  Station s(1920, 1080, 0, 0);
  Form1 &f = s.form();
  EXPECT_EQ(s.prefs().FormSizePercent, 100);
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1080 - 31));
  EXPECT_EQ(f.txtCall->geometry(), QRect(24, 54, 300, 50));
  EXPECT_TRUE(QFile::exists(s.pc.programDir.filePath(QStringLiteral("orvexfnt.txt"))));
}

TEST(MainWindowLayout, FallbackThatCannotBeSavedFailsTheLoad) {
  Station s(1920, 1080);
  Form1 &f = s.form();
  QDir(s.pc.programDir.path()).mkdir(QStringLiteral("orvexfnt.txt")); // not writable as a file
  s.prefs().FormSizePercent = 0;
  EXPECT_FALSE(f.ApplyFormSize());
  EXPECT_EQ(s.prefs().FormSizePercent, 100);
  s.prefs().FormSizePercent = 90;
  EXPECT_TRUE(f.ApplyFormSize());
}

TEST(MainWindowLayout, TaskbarToggleFitsTheWorkAreaAndBack) {
  Station s(1920, 1080, 1040);
  Form1 &f = s.form();
  f.mnuTaskbar->trigger();
  EXPECT_EQ(s.prefs().TaskbarLayout, 1);
  EXPECT_TRUE(f.mnuTaskbar->isChecked());
  EXPECT_EQ(f.pos(), QPoint(0, 0));
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1040 - 31));
  EXPECT_EQ(f.txtCall->y(), 52); // 810 twips x 1,040 / 1,080

  f.mnuTaskbar->trigger();
  EXPECT_EQ(s.prefs().TaskbarLayout, 0);
  EXPECT_FALSE(f.mnuTaskbar->isChecked());
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1080 - 31));
  EXPECT_EQ(f.txtCall->y(), 54);
  EXPECT_TRUE(s.pc.dialogs.shown.empty());
}

TEST(MainWindowLayout, TaskbarRefusesBelowHundredPercent) {
  Station s(1920, 1080, 1040);
  Form1 &f = s.form();
  s.prefs().FormSizePercent = 95;
  f.mnuTaskbar->trigger();
  ASSERT_EQ(s.pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(s.pc.dialogs.last()->text,
            QStringLiteral("The form size must be set to 100% to use the taskbar display option."));
  EXPECT_EQ(s.pc.dialogs.last()->title,
            QStringLiteral("Please set your form size to 100% to use this option."));
  EXPECT_EQ(s.prefs().TaskbarLayout, 0);
  EXPECT_FALSE(f.mnuTaskbar->isChecked());
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1080 - 31));
}

TEST(MainWindowLayout, FormSizeMenuClampsRoundsAndAsksForRestart) {
  Station s(1920, 1080);
  Form1 &f = s.form();
  const struct {
    const char *answer;
    int stored;
  } cases[] = {{"150", 100}, {"10", 30}, {"-5", 30}, {"95.5", 96}, {"94.5", 94}, {"99.5", 100}, {"30.5", 30}};
  for (const auto &c : cases) {
    s.prefs().FormSizePercent = 50;
    s.pc.dialogs.shown.clear();
    s.pc.dialogs.inputs.push_back(QString::fromLatin1(c.answer));
    f.mnuFormSize->trigger();
    EXPECT_EQ(s.prefs().FormSizePercent, c.stored) << c.answer;
    ASSERT_EQ(s.pc.dialogs.shown.size(), 2u);
    const auto &ask = s.pc.dialogs.shown[0];
    EXPECT_EQ(ask.kind, QStringLiteral("input"));
    EXPECT_EQ(ask.title, QStringLiteral("Please enter screen percentage."));
    EXPECT_EQ(ask.text,
              QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between 90 "
                             "and 100 for best results.  Values below 75 do not display well."));
    EXPECT_EQ(s.pc.dialogs.last()->text,
              QStringLiteral("This program must be closed and restarted for this setting to take effect."));
    EXPECT_EQ(s.pc.dialogs.last()->title,
              QStringLiteral("For this setting to take effect please restart this program."));
  }
  EXPECT_EQ(f.size(), QSize(1920 - 8, 1080 - 31)); // only the next start applies it
}

TEST(MainWindowLayout, FormSizeMenuRefusesNonNumericAnswers) {
  Station s(1920, 1080);
  Form1 &f = s.form();
  s.prefs().FormSizePercent = 80;
  for (const char *answer : {"", "abc"}) { // the empty answer is Cancel
    s.pc.dialogs.inputs.push_back(QString::fromLatin1(answer));
    f.mnuFormSize->trigger();
    EXPECT_EQ(s.pc.dialogs.last()->text, QStringLiteral("Please enter only numeric values."));
    EXPECT_EQ(s.pc.dialogs.last()->title, QStringLiteral("Numeric Values Required"));
    EXPECT_EQ(s.prefs().FormSizePercent, 80);
  }
}

namespace {

// A dialog of 6,000 x 4,500 twips with a label and a combo box.
struct ModelDialog {
  ModelDialog() {
    placeTwips(&dialog, 0, 0, 6000, 4500);
    placeTwips(label, 120, 240, 1200, 285);
    placeTwips(combo, 120, 600, 1500, 315);
  }
  QDialog dialog;
  QLabel *label = new QLabel(QStringLiteral("Call"), &dialog);
  QComboBox *combo = new QComboBox(&dialog);
};

} // namespace

TEST(ScalingAWindow, ResizeFormGivesEachControlItsOwnFont) {
  Station s(1920, 1080);
  ModelDialog d;
  ScreenScaling::ResizeForm(d.dialog, *s.pc.ctx);
  EXPECT_EQ(d.dialog.pos(), QPoint(360, 191)); // 5,400 and 2,867.5 twips
  EXPECT_EQ(d.dialog.size(), QSize(1200 - 8, 675 - 31));
  EXPECT_EQ(d.label->geometry(), QRect(24, 36, 240, 43));
  EXPECT_DOUBLE_EQ(d.label->font().pointSizeF(), appPoints() * 2.25);
  EXPECT_DOUBLE_EQ(formFont(&d.dialog).pointSizeF(), appPoints() * 2.25);
  // The window's new font does not reach the combo box, which this rule leaves.
  EXPECT_DOUBLE_EQ(d.combo->font().pointSizeF(), appPoints());
  EXPECT_EQ(d.combo->width(), 100);
  EXPECT_TRUE(s.pc.dialogs.shown.empty());
}

TEST(ScalingAWindow, AnErrorIsShownAsFormResizeError) {
  Station s(1920, 1080);
  ModelDialog d;
  placeTwips(&d.dialog, 0, 0, 120, 4500); // no client width to scale from
  ScreenScaling::ResizeControls(d.dialog, *s.pc.ctx, 28800, 16200, 9600, 7200, 0, 1.0f,
                                QStringLiteral("Arial"));
  ASSERT_EQ(s.pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(s.pc.dialogs.last()->title, QStringLiteral("Form Resize Error"));
  EXPECT_EQ(s.pc.dialogs.last()->text, QStringLiteral("Division by zero"));
  EXPECT_EQ(d.label->width(), 80); // controls keep their design
}

TEST(ScalingAWindow, ResizeControlsSetsTheFontFace) {
  Station s(1920, 1080);
  ModelDialog d;
  ScreenScaling::ResizeControls(d.dialog, *s.pc.ctx, 28800, 16200, 9600, 7200, 0, 1.0f,
                                QStringLiteral("Arial"));
  EXPECT_TRUE(s.pc.dialogs.shown.empty());
  EXPECT_EQ(d.label->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(d.combo->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(formFont(&d.dialog).family(), QStringLiteral("Arial"));
  EXPECT_EQ(d.dialog.size(), QSize(1200 - 8, 675 - 31));
}
