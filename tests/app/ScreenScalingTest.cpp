// The scaling rules on a model window with set screen metrics.
#include "app/ScreenScaling.h"

#include <gtest/gtest.h>

using namespace ScreenScaling;
using K = ControlKind;

namespace {

ScreenTwips screen(float width, float height, float workWidth = 0, float workHeight = 0) {
  return {width, height, workWidth ? workWidth : width, workHeight ? workHeight : height};
}
const ScreenTwips kDesign = screen(9600, 7200);
const ScreenTwips kFullHd = screen(28800, 16200); // 1,920 x 1,080 pixels at 96 dpi

ControlModel control(K kind, float left, float top, float width, float height, float font = 8.25f) {
  ControlModel c;
  c.kind = kind;
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
  c.FontSize = font;
  c.FontName = QStringLiteral("MS Sans Serif");
  return c;
}

// A dialog of 6,000 x 4,500 twips holding one control of each kind that matters.
enum Index { Lbl, Combo, Progress, Img, List, Ln, Check, Picture, ListBox, Frame, Btn };
WindowModel window(float width = 6000, float height = 4500) {
  WindowModel f;
  f.Width = width;
  f.Height = height;
  f.FrameWidth = 120;
  f.FrameHeight = 465;
  f.FontSize = 8.25f;
  f.FontName = QStringLiteral("MS Sans Serif");
  f.Controls = {control(K::Label, 120, 240, 1200, 285),        control(K::ComboBox, 120, 600, 1500, 315),
                control(K::ProgressBar, 120, 1000, 2000, 255), control(K::Image, 3000, 240, 960, 960),
                control(K::ListView, 120, 1400, 4000, 2000),   control(K::Line, 0, 0, 0, 0),
                control(K::CheckBox, 4200, 600, 1200, 255),    control(K::PictureBox, 4200, 1000, 1200, 600),
                control(K::ListBox, 4200, 1700, 1200, 1000),   control(K::Frame, 4200, 2800, 1500, 1000),
                control(K::Button, 4200, 3900, 1200, 375)};
  f.Controls[List].Columns = {1000, 0, 2000};
  ControlModel &line = f.Controls[Ln];
  line.X1 = 100;
  line.Y1 = 200;
  line.X2 = 4000;
  line.Y2 = 3800;
  return f;
}

void expectRect(const ControlModel &c, float left, float top, float width, float height) {
  EXPECT_FLOAT_EQ(c.Left, left);
  EXPECT_FLOAT_EQ(c.Top, top);
  EXPECT_FLOAT_EQ(c.Width, width);
  EXPECT_FLOAT_EQ(c.Height, height);
}

void expectUnchanged(const ControlModel &after, const ControlModel &before) {
  expectRect(after, before.Left, before.Top, before.Width, before.Height);
  EXPECT_EQ(after.FontSize, before.FontSize);
  EXPECT_EQ(after.FontName, before.FontName);
  EXPECT_EQ(after.Columns, before.Columns);
}

} // namespace

TEST(ResizeForm, OnTheDesignScreenOnlyCentresTheWindow) {
  WindowModel f = window();
  const WindowModel before = f;
  EXPECT_FALSE(ResizeForm(f, kDesign));
  EXPECT_FLOAT_EQ(f.Width, 6000);
  EXPECT_FLOAT_EQ(f.Height, 4500);
  EXPECT_FLOAT_EQ(f.Left, 1800);
  EXPECT_FLOAT_EQ(f.Top, 1180); // 170 twips above the middle
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f);
  for (std::size_t i = 0; i < f.Controls.size(); ++i)
    expectUnchanged(f.Controls[i], before.Controls[i]);
}

TEST(ResizeForm, ScreenTwiceAsWideScalesOnlyWidthsAndLeftEdges) {
  WindowModel f = window();
  EXPECT_FALSE(ResizeForm(f, screen(19200, 7200)));
  EXPECT_FLOAT_EQ(f.Width, 12000);
  EXPECT_FLOAT_EQ(f.Height, 4500);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f); // height ratio 1
  expectRect(f.Controls[Lbl], 240, 240, 2400, 285);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 8.25f); // smaller ratio 1
  EXPECT_FLOAT_EQ(f.Controls[Ln].X1, 200);
  EXPECT_FLOAT_EQ(f.Controls[Ln].X2, 8000);
  EXPECT_FLOAT_EQ(f.Controls[Ln].Y2, 3800);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{2000, 0, 4000}));
}

TEST(ResizeForm, LeavesComboBoxesAndFontsOfProgressBarsAndImages) {
  WindowModel f = window();
  const WindowModel before = f;
  EXPECT_FALSE(ResizeForm(f, kFullHd));
  expectUnchanged(f.Controls[Combo], before.Controls[Combo]);
  expectUnchanged(f.Controls[Picture], before.Controls[Picture]);
  expectRect(f.Controls[Progress], 360, 2250, 6000, 573.75);
  EXPECT_FLOAT_EQ(f.Controls[Progress].FontSize, 8.25f);
  expectRect(f.Controls[Img], 9000, 540, 2880, 2160);
  EXPECT_FLOAT_EQ(f.Controls[Img].FontSize, 8.25f);
  for (Index i : {Check, ListBox, Frame, Btn, List})
    EXPECT_FLOAT_EQ(f.Controls[i].FontSize, 8.25f * 2.25f) << i;
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{3000, 0, 6000}));
}

TEST(ResizeForm, LabelOnFullHdScreenAgainstTheCentredCopy) {
  WindowModel f = window();
  EXPECT_FALSE(ResizeForm(f, kFullHd));
  expectRect(f.Controls[Lbl], 360, 540, 3600, 641.25);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 18.5625f);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f * 2.25f);

  WindowModel g = window();
  EXPECT_FALSE(CentredCopy(g, kFullHd, centredCopyOptions(CentredWindow::BlindFrm)));
  expectRect(g.Controls[Lbl], 360, 540, 3600, 641.25);
  EXPECT_FLOAT_EQ(g.Controls[Lbl].FontSize, 12.375f); // capped at 1.5
}

TEST(ResizeForm, WindowLargerThanTheScreenIsNotClamped) {
  WindowModel f = window(12000, 9000);
  EXPECT_FALSE(ResizeForm(f, kDesign));
  EXPECT_FLOAT_EQ(f.Left, -1200);
  EXPECT_FLOAT_EQ(f.Top, -1070);
}

TEST(ResizeForm, StopsAtTheFirstErrorKeepingWhatWasDone) {
  WindowModel f = window();
  const WindowModel before = f;
  // A screen without width: the first control font becomes 0, which no control takes.
  const Fault fault = ResizeForm(f, screen(0, 7200));
  ASSERT_TRUE(fault);
  EXPECT_EQ(*fault, QStringLiteral("Invalid property value"));
  EXPECT_FLOAT_EQ(f.Width, 0);
  expectRect(f.Controls[Lbl], 0, 240, 0, 285); // its geometry was done, its font not
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 8.25f);
  expectUnchanged(f.Controls[Progress], before.Controls[Progress]);
}

TEST(ResizeControls, SetFormSizeGivesTheTargetAndControlsFollowTheClientArea) {
  WindowModel f = window();
  EXPECT_FALSE(ResizeControls(f, 9000, 6000, 9600, 7200, 1, 1.0f, QString()));
  EXPECT_FLOAT_EQ(f.Width, 9000);
  EXPECT_FLOAT_EQ(f.Height, 6000);
  EXPECT_FLOAT_EQ(f.Left, 0);
  EXPECT_FLOAT_EQ(f.Top, 0);
  const float wc = 8880.0f / 5880.0f; // client widths, new over old
  const float hc = 5535.0f / 4035.0f;
  expectRect(f.Controls[Combo], 120 * wc, 600 * hc, 1500 * wc, 315 * hc); // combo boxes too
  EXPECT_FLOAT_EQ(f.Controls[Combo].FontSize, 8.25f * hc);
  EXPECT_FLOAT_EQ(f.Controls[Ln].X2, 4000 * wc);
  EXPECT_FLOAT_EQ(f.Controls[List].Columns[2], 2000 * wc);
  EXPECT_FLOAT_EQ(f.Controls[Progress].FontSize, 8.25f);
  EXPECT_FLOAT_EQ(f.Controls[Picture].Width, 1200); // picture boxes are not scaled
}

TEST(ResizeControls, FontFactorZeroKeepsFontsWhileGrowingButShrinksFully) {
  WindowModel grow = window();
  EXPECT_FALSE(ResizeControls(grow, 19200, 14400, 9600, 7200, 0, 0.0f, QString()));
  EXPECT_FLOAT_EQ(grow.Width, 12000);
  EXPECT_FLOAT_EQ(grow.Controls[Lbl].FontSize, 8.25f);
  EXPECT_FLOAT_EQ(grow.FontSize, 8.25f);

  WindowModel shrink = window();
  EXPECT_FALSE(ResizeControls(shrink, 4800, 3600, 9600, 7200, 0, 0.0f, QString()));
  // New outer height 2,250 is not above the old client height 4,035.
  const float r = std::min((3000.0f - 120) / 5880.0f, (2250.0f - 465) / 4035.0f);
  EXPECT_FLOAT_EQ(shrink.Controls[Lbl].FontSize, 8.25f * r);
  EXPECT_FLOAT_EQ(shrink.FontSize, 8.25f * r);
}

TEST(ResizeControls, FontNameReachesTheWindowAndEveryScaledFont) {
  WindowModel f = window();
  EXPECT_FALSE(ResizeControls(f, 9600, 7200, 9600, 7200, 0, 1.0f, QStringLiteral("Arial")));
  EXPECT_EQ(f.FontName, QStringLiteral("Arial"));
  for (Index i : {Lbl, Combo, List, Check, ListBox, Frame, Btn})
    EXPECT_EQ(f.Controls[i].FontName, QStringLiteral("Arial")) << i;
  for (Index i : {Progress, Img, Picture})
    EXPECT_EQ(f.Controls[i].FontName, QStringLiteral("MS Sans Serif")) << i;

  WindowModel g = window();
  EXPECT_FALSE(ResizeControls(g, 9600, 7200, 9600, 7200, 0, 1.0f, QString()));
  EXPECT_EQ(g.FontName, QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(g.Controls[Lbl].FontName, QStringLiteral("MS Sans Serif"));
}

TEST(ResizeControls, WindowWithoutClientAreaIsAnErrorAfterItsResize) {
  WindowModel f = window(120, 4500); // all frame, no client width
  const WindowModel before = f;
  const Fault fault = ResizeControls(f, 9600, 7200, 4800, 7200, 0, 1.0f, QString());
  ASSERT_TRUE(fault);
  EXPECT_EQ(*fault, QStringLiteral("Division by zero"));
  EXPECT_FLOAT_EQ(f.Width, 240); // done before the error
  expectUnchanged(f.Controls[Lbl], before.Controls[Lbl]);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f);
}

TEST(MainWindowCopy, FillsTheScreenAndScalesItsKindsOnly) {
  WindowModel f = window(9600, 7200);
  const WindowModel before = f;
  EXPECT_FALSE(MainWindowCopy(f, kFullHd));
  EXPECT_FLOAT_EQ(f.Width, 28800);
  EXPECT_FLOAT_EQ(f.Height, 16200);
  EXPECT_FLOAT_EQ(f.Left, 0);
  EXPECT_FLOAT_EQ(f.Top, 0);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f * 3);
  expectRect(f.Controls[Lbl], 360, 540, 3600, 641.25);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 18.5625f);
  expectRect(f.Controls[Progress], 360, 2250, 6000, 573.75);
  EXPECT_FLOAT_EQ(f.Controls[Progress].FontSize, 8.25f);
  EXPECT_FLOAT_EQ(f.Controls[ListBox].Height, 2250);
  EXPECT_FLOAT_EQ(f.Controls[Ln].Y2, 3800 * 2.25f);
  EXPECT_EQ(f.Controls[List].Columns, before.Controls[List].Columns); // set apart by the load
  for (Index i : {Combo, Img, Check, Picture, Frame})
    expectUnchanged(f.Controls[i], before.Controls[i]);
}

TEST(CentredCopy, DefaultsScaleTheWindowFontByItsNewWidth) {
  WindowModel f = window();
  EXPECT_FALSE(CentredCopy(f, kFullHd, centredCopyOptions(CentredWindow::frmRigTune)));
  EXPECT_FLOAT_EQ(f.Width, 18000);
  EXPECT_FLOAT_EQ(f.Height, 10125);
  EXPECT_FLOAT_EQ(f.Left, 5400);
  EXPECT_FLOAT_EQ(f.Top, 3037.5);         // no offset
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f * 3); // screen width / 9,600 for this window
  EXPECT_FLOAT_EQ(f.Controls[Img].FontSize, 8.25f);
  EXPECT_FLOAT_EQ(f.Controls[Img].Width, 2880);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{1000, 0, 2000}));
  EXPECT_FLOAT_EQ(f.Controls[List].FontSize, 8.25f * 1.5f);

  WindowModel blind = window();
  EXPECT_FALSE(CentredCopy(blind, kFullHd, centredCopyOptions(CentredWindow::BlindFrm)));
  EXPECT_FLOAT_EQ(blind.FontSize, 8.25f * 18000 / 9600);
  EXPECT_FLOAT_EQ(blind.Controls[Img].Width, 960); // not one of its kinds
}

TEST(CentredCopy, PerWindowDifferences) {
  WindowModel help = window();
  EXPECT_FALSE(CentredCopy(help, kFullHd, centredCopyOptions(CentredWindow::Form5)));
  EXPECT_FLOAT_EQ(help.FontSize, 8.25f * 3);
  EXPECT_FLOAT_EQ(help.Controls[Lbl].FontSize, 8.25f * 2.25f); // the smaller ratio, not capped

  WindowModel import = window();
  EXPECT_FALSE(CentredCopy(import, kFullHd, centredCopyOptions(CentredWindow::frmImport)));
  EXPECT_FLOAT_EQ(import.Top, (16200 - 10125) / 4.0f);

  WindowModel spots = window();
  spots.Controls[Lbl].Left = -74880;
  spots.Controls[Ln].X1 = -74900;
  EXPECT_FALSE(CentredCopy(spots, kFullHd, centredCopyOptions(CentredWindow::PacketSpotfrm)));
  EXPECT_FLOAT_EQ(spots.Top, 2);
  EXPECT_FLOAT_EQ(spots.Controls[Lbl].Left, 120 * 3 - 75000.0f);
  EXPECT_FLOAT_EQ(spots.Controls[Ln].X1, 100 * 3 - 75000.0f);
  EXPECT_FLOAT_EQ(spots.Controls[Combo].Width, 4500); // combo boxes are its kind
}

TEST(CentredCopy, FailingStatementsStopOrAreSkippedAsTheWindowSays) {
  // A font that would grow past the largest one a control takes.
  WindowModel stop = window();
  stop.Controls[Lbl].FontSize = 2000;
  const Fault fault = CentredCopy(stop, kFullHd, centredCopyOptions(CentredWindow::BlindFrm));
  ASSERT_TRUE(fault);
  EXPECT_EQ(stop.Controls[Lbl].Width, 3600);   // geometry before font
  EXPECT_EQ(stop.Controls[Check].Width, 1200); // the pass stopped there

  WindowModel skip = window();
  skip.Controls[Lbl].FontSize = 2000;
  EXPECT_FALSE(CentredCopy(skip, kFullHd, centredCopyOptions(CentredWindow::frmFrequencyTest)));
  EXPECT_FLOAT_EQ(skip.Controls[Lbl].FontSize, 2000);
  EXPECT_FLOAT_EQ(skip.Controls[Lbl].Width, 3600);
  EXPECT_FLOAT_EQ(skip.Controls[Check].Width, 3600);
}

TEST(WorkAreaCopy, EveryControlFollowsTheWindowFontsByTheCappedFactor) {
  WindowModel f = window();
  WorkAreaCopy(f, screen(28800, 16200, 28800, 15600));
  EXPECT_FLOAT_EQ(f.Width, 18000);
  EXPECT_FLOAT_EQ(f.Height, 9750);
  EXPECT_FLOAT_EQ(f.Left, 5400);
  EXPECT_FLOAT_EQ(f.Top, 2925);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f * 18000 / 9600);
  const float hc = 9750.0f / 4500.0f;
  expectRect(f.Controls[Combo], 360, 600 * hc, 4500, 315 * hc);
  expectRect(f.Controls[Picture], 12600, 1000 * hc, 3600, 600 * hc);
  EXPECT_FLOAT_EQ(f.Controls[Picture].FontSize, 8.25f * 1.5f); // from the screen, not the work area
  EXPECT_FLOAT_EQ(f.Controls[Progress].FontSize, 8.25f);       // it has no font
  EXPECT_FLOAT_EQ(f.Controls[Ln].Y1, 200 * hc);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{1000, 0, 2000}));
}

TEST(WorkAreaCopy, FailingStepsAreSkipped) {
  WindowModel f = window(0, 4500); // no old width to scale by
  WorkAreaCopy(f, screen(28800, 16200, 28800, 15600));
  EXPECT_FLOAT_EQ(f.Controls[Lbl].Left, 120);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].Width, 1200);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].Height, 285 * (9750.0f / 4500.0f));
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 8.25f * 1.5f);
}

TEST(WorkAreaFill, TakesTheWorkAreaAtTheCorner) {
  WindowModel plan = window(9600, 7200);
  WorkAreaFill(plan, screen(19200, 14400, 19200, 13680), true);
  EXPECT_FLOAT_EQ(plan.Left, 0);
  EXPECT_FLOAT_EQ(plan.Top, 0);
  EXPECT_FLOAT_EQ(plan.Width, 19200);
  EXPECT_FLOAT_EQ(plan.Height, 13680);
  EXPECT_FLOAT_EQ(plan.FontSize, 8.25f);
  expectRect(plan.Controls[Lbl], 240, 240 * 1.9f, 2400, 285 * 1.9f);
  EXPECT_FLOAT_EQ(plan.Controls[Lbl].FontSize, 8.25f * 1.5f);

  WindowModel map = window(9600, 7200);
  WorkAreaFill(map, screen(19200, 14400, 19200, 13680), false);
  EXPECT_FLOAT_EQ(map.Controls[Lbl].FontSize, 8.25f);
  EXPECT_FLOAT_EQ(map.Controls[Lbl].Width, 2400);
}

TEST(CentreLogo, MovesOnly) {
  WindowModel f = window(4000, 3000);
  const WindowModel before = f;
  CentreLogo(f, kFullHd);
  EXPECT_FLOAT_EQ(f.Left, 12400);
  EXPECT_FLOAT_EQ(f.Top, 6430);
  EXPECT_FLOAT_EQ(f.Width, 4000);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f);
  expectUnchanged(f.Controls[Lbl], before.Controls[Lbl]);
}

TEST(ApplyFormSize, NinetyPercentShrinksItsKindsAndBothListsColumns) {
  WindowModel f = window(28800, 16200);
  const WindowModel before = f;
  EXPECT_FALSE(ApplyFormSize(f, kFullHd, 90, {&f.Controls[List]}));
  EXPECT_FLOAT_EQ(f.Left, 0);
  EXPECT_FLOAT_EQ(f.Top, 0);
  EXPECT_FLOAT_EQ(f.Width, 25920);
  EXPECT_FLOAT_EQ(f.Height, 14580);
  EXPECT_FLOAT_EQ(f.FontSize, 8.25f * 0.9f);
  expectRect(f.Controls[Lbl], 108, 216, 1080, 256.5);
  EXPECT_FLOAT_EQ(f.Controls[Btn].FontSize, 8.25f * 0.9f);
  EXPECT_FLOAT_EQ(f.Controls[Ln].X2, 3600);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{900, 0, 1800}));
  for (Index i : {ListBox, Progress, Check, Combo, Frame})
    expectUnchanged(f.Controls[i], before.Controls[i]);
}

TEST(ApplyFormSize, ZeroPercentFailsBeforeTheControls) {
  WindowModel f = window(28800, 16200);
  const WindowModel before = f;
  const Fault fault = ApplyFormSize(f, kFullHd, 0, {&f.Controls[List]});
  ASSERT_TRUE(fault);
  EXPECT_FLOAT_EQ(f.Width, 0);
  expectUnchanged(f.Controls[Lbl], before.Controls[Lbl]);
  EXPECT_EQ(f.Controls[List].Columns, before.Controls[List].Columns);
}

TEST(FitToScreen, WorkAreaAndBackScaleEveryControlButNoFonts) {
  WindowModel f = window(28800, 16200);
  const ScreenTwips taskbar = screen(28800, 16200, 28800, 15600);
  FitToScreen(f, taskbar, true, {&f.Controls[List]});
  EXPECT_FLOAT_EQ(f.Height, 15600);
  EXPECT_FLOAT_EQ(f.Width, 28800);
  const float hc = 15600.0f / 16200.0f;
  EXPECT_FLOAT_EQ(f.Controls[Check].Top, 600 * hc); // any kind
  EXPECT_FLOAT_EQ(f.Controls[Combo].Height, 315 * hc);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].FontSize, 8.25f);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{1000, 0, 2000}));

  FitToScreen(f, taskbar, false, {});
  EXPECT_FLOAT_EQ(f.Height, 16200);
  EXPECT_FLOAT_EQ(f.Controls[Check].Top, 600);
  EXPECT_FLOAT_EQ(f.Controls[Ln].Y2, 3800);
}

TEST(FitToScreen, StepsThatCannotBeScaledAreSkipped) {
  WindowModel f = window(0, 8100);
  FitToScreen(f, kFullHd, false, {&f.Controls[List]});
  EXPECT_FLOAT_EQ(f.Width, 28800);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].Width, 1200);
  EXPECT_FLOAT_EQ(f.Controls[Lbl].Height, 570);
  EXPECT_EQ(f.Controls[List].Columns, (std::vector<float>{1000, 0, 2000}));
}
