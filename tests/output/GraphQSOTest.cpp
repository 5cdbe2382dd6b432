#include "output/GraphQSO.h"

#include "platform/Controls.h"
#include "tests/support/TestContext.h"

#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kNotEnough = QStringLiteral("The graph will not display with less than 7 contacts.  The graph "
                                          "becomes more meaningful as several hours of contest logging are "
                                          "accumulated.");

class GraphWindow : public ::testing::Test {
protected:
  TestPc pc{QString()};

  // `count` contacts a minute apart from 12:00, on band 20 then 40 from the fifth.
  void logContacts(int count) {
    for (int i = 0; i < count; ++i) {
      LogEntry e;
      e.flddate = QStringLiteral("2024/05/25");
      e.fldtime = QStringLiteral("12:%1:00").arg(i, 2, 10, QLatin1Char('0'));
      e.uband = i < 4 ? QStringLiteral("20") : QStringLiteral("40");
      pc.state().log.append(e);
    }
  }
  // The window as the menu opens it: made, then loaded.
  GraphQSO &graph() {
    GraphQSO &g = pc.ctx->window<GraphQSO>();
    g.Form_Load();
    return g;
  }
};

QColor textColour(const QLabel *l) {
  return l->palette().color(QPalette::WindowText);
}

int pixelsOf(const QImage &image, QRgb colour, const QRect &area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      n += image.pixel(x, y) == colour ? 1 : 0;
  return n;
}

} // namespace

TEST_F(GraphWindow, FewerThanSevenContactsShowTheMessageOnLoadAndEveryToggle) {
  logContacts(6);
  GraphQSO &g = graph();
  ASSERT_EQ(pc.dialogs.shown.size(), 1u);
  EXPECT_EQ(pc.dialogs.last()->text, kNotEnough);
  EXPECT_EQ(pc.dialogs.last()->title, QStringLiteral("Not Enough Contacts to Graph."));
  EXPECT_FALSE(g.figure());
  EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("00:00"));
  EXPECT_EQ(g.lblDate[14]->text(), QStringLiteral("MM/DD"));
  g.Command1_Click();
  EXPECT_EQ(pc.dialogs.messages(), QStringList({kNotEnough, kNotEnough}));
  EXPECT_FALSE(g.figure());
}

TEST_F(GraphWindow, SevenContactsFillTheLabelsAndTheFigure) {
  logContacts(7);
  GraphQSO &g = graph();
  EXPECT_TRUE(pc.dialogs.shown.empty());
  EXPECT_EQ(g.windowTitle(),
            QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
  EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("12:00"));
  EXPECT_EQ(g.lblTime[14]->text(), QStringLiteral("12:06"));
  // The date with the separator the system's short dates show.
  const QString shortDate = QLocale::system().toString(QDate(2024, 5, 25), QLocale::ShortFormat);
  const auto separator =
      std::find_if(shortDate.begin(), shortDate.end(), [](QChar c) { return !c.isLetterOrNumber(); });
  ASSERT_NE(separator, shortDate.end());
  EXPECT_EQ(g.lblDate[7]->text(), QStringLiteral("05") + *separator + QStringLiteral("25"));
  EXPECT_EQ(g.lblY[0]->text(), QStringLiteral("0.0"));
  EXPECT_EQ(g.lblY[1]->text(), QStringLiteral("2.3"));
  EXPECT_EQ(g.lblY[16]->text(), QStringLiteral("36.0"));
  ASSERT_TRUE(g.figure());
  EXPECT_EQ(g.figure()->segments.size(), static_cast<size_t>(kRateSteps));

  // The figure is painted: the blue rate line in the plot, green and red in the strip.
  const QImage shot = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const double perPixel = twipsPerPixel(&g);
  const QRect plotPx = QRectF(QPointF(g.Line4->X1(), g.Line1->Y1()) / perPixel,
                              QPointF(g.Line3->X1(), g.Line2->Y1()) / perPixel)
                           .toRect();
  const int stripY = static_cast<int>((g.Line8->Y1() + g.Line9->Y1()) / 2 / perPixel);
  const QRect stripPx(plotPx.left(), stripY, plotPx.width(), 1);
  EXPECT_GT(pixelsOf(shot, qRgb(0, 0, 255), plotPx), 100);
  EXPECT_GT(pixelsOf(shot, qRgb(0, 255, 0), stripPx), 0);
  EXPECT_GT(pixelsOf(shot, qRgb(255, 0, 0), stripPx), 0);
  EXPECT_GT(pixelsOf(shot, qRgb(0, 0, 0), stripPx), 0); // the gaps stay uncoloured
}

TEST_F(GraphWindow, BackgroundToggleSwapsColoursAndRedrawsTheSameGraph) {
  logContacts(7);
  GraphQSO &g = graph();
  const std::vector<QLineF> first = g.figure()->segments;
  EXPECT_EQ(g.Command1->text(), QStringLiteral("Black Background"));
  EXPECT_EQ(g.background(), QColor(Qt::black));
  EXPECT_EQ(textColour(g.lblY[3]), QColor(Qt::white));
  saveScreenshot(g, QStringLiteral("GraphQSO-black"));

  g.Command1->click();
  EXPECT_EQ(g.Command1->text(), QStringLiteral("White Background"));
  EXPECT_EQ(g.background(), QColor(Qt::white));
  EXPECT_EQ(g.palette().color(QPalette::Window), QColor(Qt::white));
  for (const QLabel *l : {g.lblY[3], g.lblTime[2], g.lblDate[2], g.Label1})
    EXPECT_EQ(textColour(l), QColor(Qt::black));
  EXPECT_EQ(textColour(g.lblBnd[0]), QColor(Qt::white)); // the legend keeps its colours
  EXPECT_EQ(textColour(g.lblBnd[3]), QColor(0, 255, 0));
  const QImage white = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(white.pixel(2, 2), qRgb(255, 255, 255));
  saveScreenshot(g, QStringLiteral("GraphQSO-white"));

  g.Command1->click();
  EXPECT_EQ(g.Command1->text(), QStringLiteral("Black Background"));
  EXPECT_EQ(g.background(), QColor(Qt::black));
  EXPECT_EQ(textColour(g.Label1), QColor(Qt::white));
  ASSERT_TRUE(g.figure());
  EXPECT_EQ(g.figure()->segments, first);
  EXPECT_TRUE(pc.dialogs.shown.empty());
}

TEST_F(GraphWindow, MenuShowsTheGraphModallyAndUnloadsItAfter) {
  logContacts(7);
  Form1 &form = pc.form();
  bool wasModal = false;
  whenModal(&form, [&](QWidget *shown) { wasModal = qobject_cast<GraphQSO *>(shown) != nullptr; });
  ASSERT_TRUE(form.mnuGraph);
  EXPECT_EQ(form.mnuGraph->text(), QStringLiteral("&Graph"));
  form.mnuGraph->trigger();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(pc.ctx->loaded<GraphQSO>());
}

TEST_F(GraphWindow, FillsTheWorkAreaAndDrawsAtTheScaledLines) {
  pc.ctx->screen = std::make_unique<FixedScreenMetrics>(1280, 1024, 1280, 984);
  logContacts(7);
  GraphQSO &g = graph();
  EXPECT_EQ(twipsRect(&g), QRectF(0, 0, 1280 * 15, 984 * 15)); // outer size, frame included
  EXPECT_EQ(g.pos(), QPoint(0, 0));
  // Every control follows the window: twice as wide, 984 / 480 as high.
  EXPECT_FLOAT_EQ(g.Line3->X1(), 9120.0f * 2);
  EXPECT_FLOAT_EQ(g.Line2->Y1(), 5160.0f * 984 / 480);
  const RateFigure &f = *g.figure();
  EXPECT_DOUBLE_EQ(f.segments[kRateSteps - 1].x1(),
                   960.0 * 2 + 10 + (kRateSteps - 2) * (9120.0 - 960) * 2 / kRateSteps);
  EXPECT_DOUBLE_EQ(f.boxes.front().rect.top(), g.Line8->Y1());
  EXPECT_DOUBLE_EQ(f.boxes.front().rect.bottom(), g.Line9->Y1());
  saveScreenshot(g, QStringLiteral("GraphQSO-1280x984"));
}
