// The main window's band-map strip, its clicks and the spot list's, the spot area, and the
// spectrum map, driven offscreen on a 1920 x 1080 screen with the fake clock.
#include "rig/RigControlfrm.h"
#include "rig/RigSettings.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "tests/support/FakeSerialLink.h"
#include "tests/support/TestContext.h"

#include "app/ScreenScaling.h"
#include "logging/ContactListView.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QColor kYellow(255, 255, 128), kWhite(255, 255, 255), kGrey(192, 192, 192);

class BandMapWindow : public ::testing::Test {
protected:
  TestLogFile file;
  TestPc pc{file.path};
  Form1 *f = nullptr;
  LoggingState &s = pc.state();
  SpottingState &spots = pc.ctx->spotting;
  FakeSerialLink *rigPort = nullptr;

  void SetUp() override {
    pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1920, 1080);
    f = &pc.laidOutForm();
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  }

  // A spot that arrived `age` seconds ago.
  void put(int slot, const QString &call, float mhz, int age = 60) {
    spots.SpotTable[std::size_t(slot)] = {call, mhz, pc.clock.now().addSecs(-age), call.left(2), {}};
  }
  void openStrip() { f->layOutSpotArea(QStringLiteral("Telnet"), false); }
  // A Kenwood polled on a port double; the poll timer is left to the test.
  void pollRig() {
    RigControlfrm &rig = pc.ctx->window<RigControlfrm>();
    auto port = std::make_unique<FakeSerialLink>();
    rigPort = port.get();
    rig.comComm1 = std::move(port);
    rig.List1->setCurrentRow(int(rigList().indexOf(QStringLiteral("Kenwood"))));
    rig.Command1_Click();
    static_cast<QTimer *>(rig.tmrGetData)->stop();
  }
  // The frequencies the rig was told to tune to, in whole hertz, from its "FA" commands.
  std::vector<qint64> tuned() const {
    std::vector<qint64> hertz;
    if (!rigPort)
      return hertz;
    static const QRegularExpression fa(QStringLiteral("FA(\\d{11});"));
    for (const QByteArray &bytes : rigPort->written)
      for (auto m = fa.globalMatch(QString::fromLatin1(bytes)); m.hasNext();)
        hertz.push_back(m.next().captured(1).toLongLong());
    return hertz;
  }
  QStringList scale() const {
    QStringList texts;
    for (const Label *l : f->lblFreqSpot)
      texts << l->text();
    return texts;
  }
  Label *spot(int slot) const { return f->lblDXSpot[std::size_t(slot)]; }
  static QColor colour(const QWidget *w) { return w->palette().color(QPalette::WindowText); }
  // Where along the axis a label's centre stands, 0 to 1.
  double along(int slot) const {
    const QRectF r = twipsRect(spot(slot));
    return (r.center().x() - f->LineDX->X1()) / (f->LineDX->X2() - f->LineDX->X1());
  }
  // Runs `act` on the spectrum map once it shows, active, in its modal loop.
  void whenMapShown(std::function<void(SpectrumMap &)> act) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [this, poll, act = std::move(act)] {
      if (!pc.ctx->loaded<SpectrumMap>() || !pc.ctx->window<SpectrumMap>().isActiveWindow())
        return;
      poll->stop();
      poll->deleteLater();
      act(pc.ctx->window<SpectrumMap>());
    });
    poll->start(5);
  }
  QTreeWidgetItem *row(const QString &call, const QString &frequency) {
    auto *item = new QTreeWidgetItem(QStringList{call, frequency});
    f->txtDX->insertTopLevelItem(0, item);
    return item;
  }
};

} // namespace

TEST_F(BandMapWindow, StripScaleAndPlaces) {
  s.CurrentBand = QStringLiteral("40");
  openStrip();
  put(49, QStringLiteral("Q7XYZ"), 7.025f);
  f->DisplayBandMapLabels();
  EXPECT_EQ(scale(), QStringList({"7.000", "7.075", "7.150", "7.225", "7.300"}));
  EXPECT_NEAR(along(49), 1.0 / 12, 1e-4);
  const QRectF r = twipsRect(spot(49));
  EXPECT_NEAR(r.top(), f->LineDX->Y1() - r.height() - 0.004 * twipsRect(f).height(), 0.01);
  EXPECT_EQ(spot(49)->text(), QStringLiteral("Q7"));
  EXPECT_FALSE(spot(49)->isHidden());

  // Two spots: the scale fits them, both labels near the ends; the edges and 7.3f stay out, and
  // slot 0 beyond the fitted range is not drawn.
  put(48, QStringLiteral("Q7AA"), 7.010f);
  put(49, QStringLiteral("Q7BB"), 7.032f);
  put(47, QStringLiteral("Q7CC"), 7.3f);
  put(46, QStringLiteral("Q7DD"), 7.0f);
  put(0, QStringLiteral("Q7EE"), 7.2f);
  f->DisplayBandMapLabels();
  EXPECT_EQ(scale(), QStringList({"7.009", "7.015", "7.021", "7.027", "7.033"}));
  EXPECT_NEAR(along(48), 0.0417, 5e-4);
  EXPECT_NEAR(along(49), 0.9583, 5e-4);
  for (int slot : {47, 46, 0})
    EXPECT_TRUE(spot(slot)->isHidden()) << slot;
}

TEST_F(BandMapWindow, StripColoursByAgeAndStopsAtAnHour) {
  s.CurrentBand = QStringLiteral("20");
  openStrip();
  put(49, QStringLiteral("Q1A"), 14.010f, -120); // arrives "in the future": young
  put(48, QStringLiteral("Q1B"), 14.020f, 599);
  put(47, QStringLiteral("Q1C"), 14.030f, 600);
  put(46, QStringLiteral("Q1D"), 14.040f, 1799);
  put(45, QStringLiteral("Q1E"), 14.050f, 1800);
  put(44, QStringLiteral("Q1F"), 14.060f, 3599);
  put(43, QStringLiteral("Q1G"), 21.000f, 7200); // another band, an hour old: passed over
  put(42, QStringLiteral("Q1H"), 0.0f, 7200);    // removed, an hour old: passed over
  put(41, QStringLiteral("Q1I"), 14.070f, 3600); // ends the drawing
  put(40, QStringLiteral("Q1J"), 14.080f, 10);   // younger below it, still hidden
  f->DisplayBandMapLabels();
  const std::pair<int, QColor> drawn[] = {{49, kYellow}, {48, kYellow}, {47, kWhite},
                                          {46, kWhite},  {45, kGrey},   {44, kGrey}};
  for (const auto &[slot, c] : drawn) {
    EXPECT_FALSE(spot(slot)->isHidden()) << slot;
    EXPECT_EQ(colour(spot(slot)), c) << slot;
  }
  for (int slot : {43, 42, 41, 40})
    EXPECT_TRUE(spot(slot)->isHidden()) << slot;
}

TEST_F(BandMapWindow, TooltipsInUtcAndHover) {
  s.CurrentBand = QStringLiteral("20");
  openStrip();
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(13, 1, 0));
  s.station.UtcOffsetHours = 5;
  spots.SpotTable[49] = {QStringLiteral("Q7XYZ"),
                         14.025f,
                         wallClock(QDate(2024, 3, 30), QTime(13, 0, 0)),
                         QStringLiteral("Q7"),
                         {}};
  f->DisplayBandMapLabels();
  EXPECT_EQ(spot(49)->toolTip(), QStringLiteral("Q7XYZ  14.025  18:00:00"));
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(spot(49), &move);
  EXPECT_EQ(f->lblDupe->text(), QStringLiteral("Q7XYZ  14.025  18:00:00"));

  s.station.UtcOffsetHours = -5;
  pc.clock.setLocal(QDate(2024, 3, 30), QTime(2, 11, 0));
  spots.SpotTable[49].SpotTime = wallClock(QDate(2024, 3, 30), QTime(2, 10, 0));
  f->DisplayBandMapLabels();
  EXPECT_EQ(spot(49)->toolTip(), QStringLiteral("Q7XYZ  14.025  21:10:00"));
}

TEST_F(BandMapWindow, RightClickTunesTakesTheCallAndMovesOnAsTab) {
  s.CurrentBand = QStringLiteral("20");
  openStrip();
  put(49, QStringLiteral("Q7XYZ"), 14.025f);
  f->DisplayBandMapLabels();
  pollRig();
  QTest::mouseClick(spot(49), Qt::RightButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(tuned(), std::vector<qint64>{14025000});
  EXPECT_EQ(spots.SpotTable[49].SpotFreq, 14.025f);
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q7XYZ"));
  EXPECT_EQ(f->txtRSTR->text(), QStringLiteral("59"));
  EXPECT_EQ(f->txtRSTS->text(), QStringLiteral("59"));
  EXPECT_EQ(QApplication::focusWidget(), f->txtRSTR);

  // Another button removes the spot: hidden at once, its list row kept and still usable.
  QTreeWidgetItem *item = row(QStringLiteral("Q7XYZ"), QStringLiteral("14.025"));
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
    put(49, QStringLiteral("Q7XYZ"), 14.025f);
    f->DisplayBandMapLabels();
    ASSERT_FALSE(spot(49)->isHidden());
    QTest::mouseClick(spot(49), button);
    EXPECT_EQ(spots.SpotTable[49].SpotFreq, 0.0f);
    EXPECT_TRUE(spot(49)->isHidden());
  }
  f->txtCall->setText(QString());
  f->txtDX->setCurrentItem(item);
  f->txtDX_Click();
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q7XYZ"));
}

TEST_F(BandMapWindow, SpotListClick) {
  QTreeWidgetItem *bad = row(QStringLiteral("Q7BAD"), QStringLiteral("QRT"));
  QTreeWidgetItem *good = row(QStringLiteral("Q7XYZ"), QStringLiteral("21.0253"));
  f->txtDX->show();

  // No row selected: only the focus.
  f->txtDX->clearSelection();
  f->txtDX->setFocus();
  f->txtDX_Click();
  EXPECT_EQ(QApplication::focusWidget(), f->txtCall);
  EXPECT_TRUE(f->txtCall->text().isEmpty());

  f->txtDX->setCurrentItem(good);
  f->txtDX_Click();
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q7XYZ"));
  EXPECT_TRUE(tuned().empty());              // no rig: no tuning
  EXPECT_TRUE(f->txtRSTR->text().isEmpty()); // no Tab

  pollRig();
  f->txtCall->setText(QString());
  QTest::mouseClick(f->txtDX->viewport(), Qt::LeftButton, {}, f->txtDX->visualItemRect(good).center());
  ASSERT_EQ(tuned().size(), 1u);
  EXPECT_NEAR(double(tuned()[0]), 21025300.0, 2.0); // single-precision hertz
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q7XYZ"));

  f->txtCall->setText(QStringLiteral("Q7OLD"));
  f->txtDX->setCurrentItem(bad);
  f->txtDX_Click();
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q7OLD"));
  EXPECT_EQ(tuned().size(), 1u);
}

TEST_F(BandMapWindow, DoubleClicksOpenTheSpectrumMapAndUnloadIt) {
  openStrip();
  row(QStringLiteral("Q7XYZ"), QStringLiteral("14.025"));
  f->txtDX->show();
  for (QWidget *target : {static_cast<QWidget *>(f->lblDX), f->txtDX->viewport()}) {
    bool shown = false;
    whenMapShown([&](SpectrumMap &map) {
      shown = map.isModal();
      map.reject();
    });
    QTest::mouseClick(target, Qt::LeftButton); // a double click's first half
    QTest::mouseDClick(target, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(pc.ctx->loaded<SpectrumMap>());
  }
  // The strip's click came first: the cluster window shows, from the program folder.
  ASSERT_TRUE(pc.ctx->loaded<PacketSpotfrm>());
  EXPECT_TRUE(pc.ctx->window<PacketSpotfrm>().isVisible());
  EXPECT_EQ(QDir::current(), QDir(pc.ctx->folders.ProgramFolder));
}

TEST_F(BandMapWindow, ClusterWindowChoicesLayOutTheSpotArea) {
  PacketSpotfrm &cluster = pc.ctx->window<PacketSpotfrm>();
  const auto choose = [&](const QString &mode, QRadioButton *view) {
    cluster.List1->setCurrentItem(cluster.List1->findItems(mode, Qt::MatchExactly).value(0));
    view->setChecked(true);
    f->PacketResize();
  };
  choose(QStringLiteral("AGW Packet Engine"), cluster.OptBand);
  EXPECT_FALSE(f->lblDX->isHidden());
  EXPECT_TRUE(f->txtDX->isHidden());
  choose(QStringLiteral("AGW Packet Engine"), cluster.OptList);
  EXPECT_TRUE(f->lblDX->isHidden());
  EXPECT_FALSE(f->txtDX->isHidden());
  choose(QStringLiteral("None"), cluster.OptList);
  EXPECT_TRUE(f->lblDX->isHidden() && f->txtDX->isHidden());
  EXPECT_EQ(twipsRect(f->txtDX).top(), 1000);
}

TEST_F(BandMapWindow, BandChangeAndActivationRedraw) {
  s.CurrentBand = QStringLiteral("20");
  openStrip();
  put(49, QStringLiteral("Q1A"), 14.025f);
  put(48, QStringLiteral("Q1B"), 7.025f);
  f->mnu40_Click();
  EXPECT_EQ(scale().front(), QStringLiteral("7.000"));
  EXPECT_TRUE(spot(49)->isHidden());
  EXPECT_FALSE(spot(48)->isHidden());
  f->mnu20_Click();
  EXPECT_FALSE(spot(49)->isHidden());
  EXPECT_TRUE(spot(48)->isHidden());

  // A spot stored while another window is active shows when the main window is active again.
  put(47, QStringLiteral("Q1C"), 14.100f);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_TRUE(spot(47)->isHidden());
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  EXPECT_FALSE(spot(47)->isHidden());
}

TEST_F(BandMapWindow, SpotAreaOpensSwapsAndCloses) {
  const auto model = [this] { return ScreenScaling::FormLayout(*f).model; };
  const ScreenScaling::WindowModel before = model();
  const QList<QWidget *> placedList = placedControls(f);
  const std::vector<QWidget *> widgets(placedList.begin(), placedList.end());
  const auto index = [&](const QWidget *w) {
    return std::size_t(std::find(widgets.begin(), widgets.end(), w) - widgets.begin());
  };

  f->layOutSpotArea(QStringLiteral("Telnet"), false);
  const ScreenScaling::WindowModel opened = model();
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    const auto &b = before.Controls[i], &o = opened.Controls[i];
    if (b.kind == ControlKind::Line && widgets[i] != f->LineDX) {
      EXPECT_FLOAT_EQ(o.Y1, float(b.Y1 * 0.9)) << i;
    } else if (widgets[i] == f->txtCall || widgets[i] == f->ListView1 || widgets[i] == f->lblDupe) {
      EXPECT_FLOAT_EQ(o.Top, float(b.Top * 0.9)) << i;
      EXPECT_FLOAT_EQ(o.Height, float(b.Height * 0.9)) << i;
      EXPECT_FLOAT_EQ(o.Left, b.Left) << i;
    }
  }
  const auto &strip = opened.Controls[index(f->lblDX)];
  EXPECT_FLOAT_EQ(strip.Left, before.Width * 0.01f);
  EXPECT_FLOAT_EQ(strip.Width, before.Width * 0.97f);
  EXPECT_FLOAT_EQ(strip.Top + strip.Height, opened.ScaleHeight());
  const ScreenScaling::KindSet scalable{ControlKind::ProgressBar, ControlKind::ListBox, ControlKind::ListView,
                                        ControlKind::Button,      ControlKind::TextBox, ControlKind::Label};
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    const bool spotArea =
        widgets[i] == f->lblDX || widgets[i] == f->txtDX ||
        std::find(f->lblFreqSpot.begin(), f->lblFreqSpot.end(), widgets[i]) != f->lblFreqSpot.end();
    if (!spotArea && scalable.contains(opened.Controls[i].kind)) {
      EXPECT_LE(opened.Controls[i].Top + opened.Controls[i].Height, strip.Top) << i;
    }
  }
  EXPECT_FLOAT_EQ(f->LineDX->Y1(), strip.Top + strip.Height / 2);
  EXPECT_FLOAT_EQ(f->LineDX->X1(), strip.Left + float(twipsRect(spot(0)).width()) / 2);
  for (int i = 0; i < 5; ++i) {
    const QRectF r = twipsRect(f->lblFreqSpot[std::size_t(i)]);
    EXPECT_NEAR(r.top(), f->LineDX->Y1() + 0.004 * before.Height, 0.01);
    EXPECT_NEAR(r.center().x(), f->LineDX->X1() + i * 0.25 * (f->LineDX->X2() - f->LineDX->X1()), 0.01);
    EXPECT_FALSE(f->lblFreqSpot[std::size_t(i)]->isHidden());
  }
  EXPECT_FALSE(f->lblDX->isHidden());
  EXPECT_FALSE(f->LineDX->isHidden());
  EXPECT_TRUE(f->txtDX->isHidden());
  EXPECT_TRUE(spot(0)->isHidden());
  EXPECT_EQ(scale().front(), QStringLiteral("14.000"));

  // Again: nothing changes. To the list: swapped in place.
  f->layOutSpotArea(QStringLiteral("Telnet"), false);
  EXPECT_FLOAT_EQ(model().Controls[index(f->txtCall)].Top, opened.Controls[index(f->txtCall)].Top);
  f->layOutSpotArea(QStringLiteral("Telnet"), true);
  EXPECT_FALSE(f->txtDX->isHidden());
  EXPECT_TRUE(f->lblDX->isHidden());
  EXPECT_EQ(twipsRect(f->txtDX), twipsRect(f->lblDX));
  EXPECT_FLOAT_EQ(model().Controls[index(f->txtCall)].Top, opened.Controls[index(f->txtCall)].Top);

  // "None" gives the room back within the drift and parks the spot controls.
  f->layOutSpotArea(QStringLiteral("none"), true);
  const ScreenScaling::WindowModel closed = model();
  for (const QWidget *w : std::initializer_list<const QWidget *>{f->txtCall, f->ListView1, f->lblDupe}) {
    EXPECT_NEAR(closed.Controls[index(w)].Top, before.Controls[index(w)].Top,
                before.Controls[index(w)].Top * 1e-6);
    EXPECT_NEAR(closed.Controls[index(w)].Height, before.Controls[index(w)].Height,
                before.Controls[index(w)].Height * 1e-6);
  }
  EXPECT_TRUE(f->txtDX->isHidden() && f->lblDX->isHidden() && f->LineDX->isHidden());
  for (const QWidget *w :
       std::initializer_list<const QWidget *>{f->txtDX, f->lblDX, f->lblFreqSpot[2], spot(7)})
    EXPECT_EQ(twipsRect(w).top(), 1000);
  EXPECT_EQ(f->LineDX->Y1(), 1000);
  f->layOutSpotArea(QStringLiteral("None"), true); // closed already: nothing
  EXPECT_EQ(twipsRect(f->txtDX).top(), 1000);

  // An empty source is no "None": the list opens, below the parked controls too.
  f->layOutSpotArea(QString(), true);
  EXPECT_FALSE(f->txtDX->isHidden());
  EXPECT_TRUE(f->lblDX->isHidden());
  EXPECT_NEAR(twipsRect(f->txtDX).top(), strip.Top, strip.Top * 1e-6);
  saveScreenshot(*f, QStringLiteral("spot-list"));
}

namespace {

class SpectrumMapWindow : public BandMapWindow {
protected:
  SpectrumMap &load() {
    SpectrumMap &map = pc.ctx->window<SpectrumMap>();
    map.Form_Load();
    return map;
  }
  static QStringList ticks(const SpectrumMap &map, int band) {
    QStringList texts;
    for (int j = 0; j < 5; ++j)
      texts << map.lblFreqSpot[std::size_t(band * 5 + j)]->text();
    return texts;
  }
};

} // namespace

TEST_F(SpectrumMapWindow, LoadScalesAndFillsTheWorkArea) {
  put(10, QStringLiteral("Q1A"), 14.020f);
  put(11, QStringLiteral("Q1B"), 14.030f);
  put(0, QStringLiteral("Q1C"), 7.1f);
  put(12, QStringLiteral("Q1D"), 7.2f);
  SpectrumMap &map = load();
  EXPECT_EQ(map.windowTitle(), QStringLiteral(" HF Spectrum Map"));
  EXPECT_EQ(ticks(map, 0), QStringList({"1.800", "1.850", "1.900", "1.950", "2.000"}));
  EXPECT_EQ(ticks(map, 2), QStringList({"7.000", "7.075", "7.150", "7.225", "7.300"})); // slot 0 not fitted
  EXPECT_EQ(ticks(map, 3), QStringList({"10.100", "10.113", "10.125", "10.137", "10.150"}));
  EXPECT_EQ(ticks(map, 4), QStringList({"14.019", "14.022", "14.025", "14.028", "14.031"}));
  EXPECT_EQ(twipsRect(&map).topLeft(), QPointF(0, 0));
  EXPECT_EQ(twipsRect(&map).size(), QSizeF(28800, 16200));
  // Positions end as design x work area / design window; ticks centred under their line.
  const Line &line = *map.lineHF[4];
  EXPECT_NEAR(line.X1(), 360 * 28800 / 9600.0, 0.1);
  EXPECT_NEAR(line.Y1(), (360 + 600 * 4) * 16200 / (6795 + frameTwips(&map).height()), 0.5);
  const QRectF tick = twipsRect(map.lblFreqSpot[22]);
  EXPECT_NEAR(tick.center().x(), (line.X1() + line.X2()) / 2, 0.5);
  EXPECT_NEAR(tick.top(), line.Y1() + 0.004 * 16200, 0.5);
  EXPECT_FALSE(map.lblFreqSpot[54]->isHidden());
  EXPECT_EQ(map.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).last(), map.lblDXSpot[49]);
  EXPECT_DOUBLE_EQ(map.lblDXSpot[0]->font().pointSizeF(), 6.75 * 1.5);
  pc.ctx->unload<SpectrumMap>();

  // The work area's corner, whatever the screen.
  pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1280, 1024, 1200, 990);
  SpectrumMap &small = load();
  EXPECT_EQ(twipsRect(&small), QRectF(0, 0, 18000, 14850));
  EXPECT_DOUBLE_EQ(small.lblDXSpot[0]->font().pointSizeF(), 10.125);
}

TEST_F(SpectrumMapWindow, SpotsOnTheirBandLines) {
  put(49, QStringLiteral("Q1A"), 14.001f, 10);
  put(48, QStringLiteral("Q1B"), 14.000f, 10);
  put(47, QStringLiteral("Q1C"), 14.350f, 10);
  put(46, QStringLiteral("Q1D"), 2.000f, 10);
  put(45, QStringLiteral("Q1E"), 5.3f, 10);
  put(44, QStringLiteral("Q1F"), 432.0f, 10);
  put(43, QStringLiteral("Q1G"), 0.0f, 10);
  put(42, QStringLiteral("Q1H"), 21.2f, 900);
  put(41, QStringLiteral("Q1I"), 3.6f, 3600); // ends the redraw
  put(40, QStringLiteral("Q1J"), 3.7f, 10);
  SpectrumMap &map = load();
  map.BandMapLabelDisplay();
  const auto label = [&](int slot) { return map.lblDXSpot[std::size_t(slot)]; };
  EXPECT_FALSE(label(49)->isHidden());
  EXPECT_FALSE(label(42)->isHidden());
  EXPECT_EQ(label(42)->palette().color(QPalette::WindowText), kWhite);
  for (int slot : {48, 47, 46, 45, 44, 43, 41, 40})
    EXPECT_TRUE(label(slot)->isHidden()) << slot;
  EXPECT_EQ(label(45)->text(), QStringLiteral("Q1")); // set though hidden
  const QRectF r = twipsRect(label(49));
  EXPECT_NEAR(r.bottom(), map.lineHF[4]->Y1(), 0.01);
  EXPECT_NEAR(r.center().x(), map.lineHF[4]->X1() + (map.lineHF[4]->X2() - map.lineHF[4]->X1()) / 350, 0.5);
  EXPECT_EQ(map.cursor().shape(), Qt::ArrowCursor);

  // A never-filled slot stops the redraw as an hour-old spot does.
  for (int slot = 40; slot <= 48; ++slot)
    spots.SpotTable[std::size_t(slot)] = {};
  spots.SpotTable[45].SpotTime = wallClock(QDate(1899, 12, 30), QTime(0, 0));
  put(44, QStringLiteral("Q1K"), 14.2f, 10);
  map.BandMapLabelDisplay();
  EXPECT_FALSE(label(49)->isHidden());
  EXPECT_TRUE(label(44)->isHidden());
}

TEST_F(SpectrumMapWindow, ClicksTuneAndCloseOrRemove) {
  put(49, QStringLiteral("Q1A"), 14.020f);
  put(48, QStringLiteral("Q1B"), 14.030f);
  put(47, QStringLiteral("Q1C"), 14.025f);
  pollRig();
  bool removed = false;
  whenMapShown([&](SpectrumMap &map) {
    ASSERT_FALSE(map.lblDXSpot[48]->isHidden());
    QTest::mouseClick(map.lblDXSpot[48], Qt::LeftButton);
    removed = map.lblDXSpot[48]->isHidden() && spots.SpotTable[48].SpotFreq == 0.0f &&
              ticks(map, 4).front() == QStringLiteral("14.019") &&
              ticks(map, 4).back() == QStringLiteral("14.026");
    QTest::mouseClick(map.lblDXSpot[49], Qt::RightButton);
  });
  f->showSpectrumMap();
  EXPECT_TRUE(removed);
  EXPECT_FALSE(pc.ctx->loaded<SpectrumMap>());
  EXPECT_EQ(tuned(), std::vector<qint64>{14020000});
  EXPECT_EQ(spots.SpotTable[49].SpotFreq, 14.020f);
  EXPECT_EQ(f->txtCall->text(), QStringLiteral("Q1A"));
  EXPECT_EQ(f->focusWidget(), f->txtCall); // where the focus is when the main window is active again
}

TEST_F(SpectrumMapWindow, SpotTakenWhileOpenIsDrawn) {
  QString call = QStringLiteral("Q7NEW"), frequency = QStringLiteral("21025.0"),
          record =
              QStringLiteral("de Q7ABC:     21025.0  Q7NEW        CQ WPX                         1234Z MA");
  bool drawn = false;
  whenMapShown([&](SpectrumMap &map) {
    f->BandMapSpots(call, frequency, record);
    drawn = !map.lblDXSpot[49]->isHidden() && map.lblDXSpot[49]->text() == QStringLiteral("Q7");
    map.reject();
  });
  f->showSpectrumMap();
  EXPECT_TRUE(drawn);
  // Closed, it is neither made nor drawn.
  f->BandMapSpots(call, frequency, record);
  EXPECT_FALSE(pc.ctx->loaded<SpectrumMap>());
}

TEST_F(BandMapWindow, Screenshots) {
  s.CurrentBand = QStringLiteral("20");
  openStrip();
  const std::pair<const char *, std::pair<float, int>> spotsShown[] = {
      {"Q7XYZ", {14.025f, 60}}, {"QQ1ABC", {14.012f, 700}},   {"Q9ZZ", {14.180f, 2000}},
      {"Q2AB", {14.300f, 100}}, {"Q5/QQ1A", {14.070f, 1500}}, {"QQ3XX", {14.231f, 3000}}};
  int slot = 49;
  for (const auto &[call, spot] : spotsShown)
    put(slot--, QString::fromLatin1(call), spot.first, spot.second);
  put(slot--, QStringLiteral("Q4AA"), 7.015f, 200);
  put(slot--, QStringLiteral("Q8BB"), 28.450f, 400);
  put(slot--, QStringLiteral("Q6CC"), 3.780f, 1000);
  f->DisplayBandMapLabels();
  saveScreenshot(*f, QStringLiteral("band-map-strip"));
  whenMapShown([&](SpectrumMap &map) {
    saveScreenshot(map, QStringLiteral("spectrum-map"));
    map.reject();
  });
  f->showSpectrumMap();
}
