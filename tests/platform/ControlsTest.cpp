// The control model the scaling rules rely on: kinds, placement in twips, collection order,
// the window frame, list-view columns and lines.
#include "platform/Controls.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>

TEST(Controls, KindsFollowTheWidgetClassUnlessTagged) {
  QWidget w;
  EXPECT_EQ(controlKind(new QTreeWidget(&w)), ControlKind::ListView);
  EXPECT_EQ(controlKind(new QListWidget(&w)), ControlKind::ListBox);
  EXPECT_EQ(controlKind(new QPushButton(&w)), ControlKind::Button);
  EXPECT_EQ(controlKind(new TextBox(&w)), ControlKind::TextBox);
  EXPECT_EQ(controlKind(new QPlainTextEdit(&w)), ControlKind::TextBox);
  EXPECT_EQ(controlKind(new Label(&w)), ControlKind::Label);
  EXPECT_EQ(controlKind(new QProgressBar(&w)), ControlKind::ProgressBar);
  EXPECT_EQ(controlKind(new QCheckBox(&w)), ControlKind::CheckBox);
  EXPECT_EQ(controlKind(new QRadioButton(&w)), ControlKind::OptionButton);
  EXPECT_EQ(controlKind(new QGroupBox(&w)), ControlKind::Frame);
  EXPECT_EQ(controlKind(new QComboBox(&w)), ControlKind::ComboBox);
  EXPECT_EQ(controlKind(new QSpinBox(&w)), ControlKind::OtherVisual);
  EXPECT_EQ(controlKind(new Line(&w)), ControlKind::Line);
  auto *picture = new QLabel(&w);
  setControlKind(picture, ControlKind::Image);
  EXPECT_EQ(controlKind(picture), ControlKind::Image);
  EXPECT_FALSE(hasFont(ControlKind::Image));
  EXPECT_TRUE(hasFont(ControlKind::PictureBox));
}

TEST(Controls, WindowsArePlacedByTheirOuterSize) {
  QDialog dialog;
  placeTwips(&dialog, 1500, 300, 6000, 4500);
  EXPECT_EQ(dialog.pos(), QPoint(100, 20));
  EXPECT_EQ(dialog.size(), QSize(400 - kFrameWidthPx, 300 - kFrameHeightPx));
  EXPECT_EQ(twipsRect(&dialog), QRectF(1500, 300, 6000, 4500));
  EXPECT_EQ(frameTwips(&dialog), QSizeF(120, 465));

  QMainWindow main;
  EXPECT_EQ(frameTwips(&main), QSizeF(120, 465));
  main.menuBar()->addMenu(QStringLiteral("&File"));
  EXPECT_EQ(frameTwips(&main), QSizeF(120, 765));
}

TEST(Controls, CollectionHoldsPlacedControlsInPlacementOrder) {
  QDialog dialog;
  auto *second = new QPushButton(&dialog);
  auto *frame = new QGroupBox(&dialog);
  auto *inFrame = new QCheckBox(frame);
  auto *unplaced = new QLabel(&dialog);
  auto *line = new Line(&dialog);
  QDialog child(&dialog); // another window's controls are its own
  auto *childLabel = new QLabel(&child);
  placeTwips(frame, 120, 120, 3000, 2000);
  placeTwips(inFrame, 60, 240, 1200, 255);
  placeTwips(second, 120, 2400, 1200, 375);
  line->setEnds(0, 0, 100, 100);
  placeTwips(childLabel, 0, 0, 100, 100);
  placeTwips(second, 240, 2400, 1200, 375); // a second placement keeps its place
  EXPECT_EQ(placedControls(&dialog), (QList<QWidget *>{frame, inFrame, second, line}));
  EXPECT_FALSE(placedControls(&dialog).contains(unplaced));
}

TEST(Controls, ZeroWidthColumnStaysHiddenAndLastColumnDoesNotStretch) {
  QTreeWidget list;
  placeTwips(&list, 0, 0, 9000, 3000);
  list.setHeaderLabels({QStringLiteral("Call"), QStringLiteral("Status"), QStringLiteral("From")});
  setColumnTwips(&list, {1500, 0, 450});
  list.show();
  EXPECT_EQ(list.columnWidth(0), 100);
  EXPECT_EQ(list.columnWidth(1), 0);
  EXPECT_EQ(list.columnWidth(2), 30);
  EXPECT_EQ(columnTwips(&list), (QList<float>{1500, 0, 450}));
}

TEST(Controls, LineCoversItsEndsWhicheverWayItRuns) {
  QWidget w;
  auto *line = new Line(&w);
  line->setEnds(1500, 900, 150, 300);
  EXPECT_EQ(line->geometry(), QRect(10, 20, 91, 41));
  EXPECT_FLOAT_EQ(line->X1(), 1500);
  EXPECT_FLOAT_EQ(line->Y2(), 300);
}

TEST(Controls, ScreenMetricsInTwips) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const ScreenTwips twips = QtScreenMetrics().twips();
  EXPECT_FLOAT_EQ(twips.Width, screen.width() * 15.0f);
  EXPECT_FLOAT_EQ(twips.Height, screen.height() * 15.0f);
  EXPECT_FLOAT_EQ(twips.WorkAreaHeight,
                  QGuiApplication::primaryScreen()->availableGeometry().height() * 15.0f);
}

TEST(Controls, DesignFontIsTheSameWhateverSizeTheDesktopUses) {
  QFont small = QApplication::font("QMenuBar");
  small.setPointSizeF(9);
  QFont large = small;
  large.setPointSizeF(11);
  const QFont fromSmall = designFont(small);
  EXPECT_EQ(fromSmall.family(), small.family());
  EXPECT_EQ(fromSmall.pointSizeF(), designFont(large).pointSizeF());
  EXPECT_EQ(std::fmod(fromSmall.pointSizeF() * 4, 1.0), 0.0);
  // Digits 90 twips wide, 6 pixels at 96 dpi, within the quarter point and the whole pixel.
  QFont large72 = fromSmall;
  large72.setPointSizeF(72);
  const double digit = QFontMetricsF(large72).horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
  EXPECT_NEAR(digit * fromSmall.pointSizeF() / 72, 6.0, 0.25);
  // The windows take the design font; what the platform draws keeps the desktop's.
  const QFont desktop = QApplication::font("QMenuBar");
  EXPECT_EQ(QApplication::font().pointSizeF(), designFont(desktop).pointSizeF());
  EXPECT_EQ(QApplication::font("QMenu"), desktop);
  EXPECT_EQ(QToolTip::font(), desktop);
  EXPECT_NE(desktop.pointSizeF(), QApplication::font().pointSizeF());
}
