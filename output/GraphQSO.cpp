#include "output/GraphQSO.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QString kBlackCaption = QStringLiteral("Black Background");
const QString kWhiteCaption = QStringLiteral("White Background");

// Design layout in twips.
constexpr double kPlotLeft = 960;
constexpr double kPlotRight = 9120;
constexpr double kPlotTop = 360;
constexpr double kPlotBottom = 5160;
constexpr double kStripTop = 5250;
constexpr double kStripBottom = 5490;
constexpr double kRateLabelPitch = (kPlotBottom - kPlotTop) / 16;
constexpr double kTimeLabelPitch = (kPlotRight - kPlotLeft) / 14;

void setTextColour(QLabel *label, const QColor &colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

QLabel *makeLabel(QWidget *parent, const QString &text, double left, double top, double width,
                  Qt::Alignment align, int points) {
  auto *l = placed<QLabel>(parent, left, top, width, 240, text);
  l->setAlignment(align | Qt::AlignVCenter);
  QFont f = l->font();
  f.setPointSize(points);
  l->setFont(f);
  return l;
}

} // namespace

GraphQSO::GraphQSO(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
  buildControls();
}

void GraphQSO::buildControls() {
  const auto line = [this](double x1, double y1, double x2, double y2) {
    auto *l = new Line(this);
    l->setEnds(float(x1), float(y1), float(x2), float(y2));
    return l;
  };
  Line1 = line(kPlotLeft, kPlotTop, kPlotRight, kPlotTop);
  Line2 = line(kPlotLeft, kPlotBottom, kPlotRight, kPlotBottom);
  Line3 = line(kPlotRight, kPlotTop, kPlotRight, kPlotBottom);
  Line4 = line(kPlotLeft, kPlotTop, kPlotLeft, kPlotBottom);
  Line5 = line(kPlotLeft, kStripTop, kPlotLeft, kStripBottom);
  Line6 = line(kPlotRight, kStripTop, kPlotRight, kStripBottom);
  Line8 = line(kPlotLeft, kStripTop, kPlotRight, kStripTop);
  Line9 = line(kPlotLeft, kStripBottom, kPlotRight, kStripBottom);
  // The dotted grid: across the plot at every other rate label, down it at every other time label.
  const auto grid = [&](double x1, double y1, double x2, double y2) {
    Line *l = line(x1, y1, x2, y2);
    l->setBorderStyle(Qt::DotLine);
    return l;
  };
  Line **across[] = {&Line7, &Line10, &Line11, &Line12, &Line13, &Line14, &Line15};
  for (int i = 0; i < 7; ++i) {
    const double y = kPlotBottom - (2 * i + 2) * kRateLabelPitch;
    *across[i] = grid(kPlotLeft, y, kPlotRight, y);
  }
  Line **down[] = {&Line16, &Line17, &Line18, &Line19, &Line20, &Line21};
  for (int i = 0; i < 6; ++i) {
    const double x = kPlotLeft + (2 * i + 2) * kTimeLabelPitch;
    *down[i] = grid(x, kPlotTop, x, kPlotBottom);
  }

  for (int k = 0; k < 17; ++k)
    lblY[k] = makeLabel(this, QString(), 60, kPlotBottom - k * kRateLabelPitch - 120, 840, Qt::AlignRight, 8);
  for (int k = 0; k < 15; ++k) {
    const double left = kPlotLeft + k * kTimeLabelPitch - 300;
    lblTime[k] = makeLabel(this, QStringLiteral("00:00"), left, 5550, 600, Qt::AlignHCenter, 8);
    lblDate[k] = makeLabel(this, QStringLiteral("MM/DD"), left, 5790, 600, Qt::AlignHCenter, 8);
  }
  Label1 = makeLabel(this, QStringLiteral("Band "), kPlotLeft, 6180, 600, Qt::AlignRight, 9);
  for (int i = 0; i < 7; ++i) {
    lblBnd[i] = makeLabel(this, QString::fromLatin1(kBandLegend[i].band), 1620 + i * 480, 6180, 450,
                          Qt::AlignHCenter, 9);
    QFont bold = lblBnd[i]->font();
    bold.setBold(true);
    lblBnd[i]->setFont(bold);
    setTextColour(lblBnd[i], QColor::fromRgb(kBandLegend[i].colour));
  }

  Command1 = placed<QPushButton>(this, 7320, 6090, 1800, 420, kBlackCaption);
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);

  placeTwips(this, 0, 0, 9600, 7200);
  setAutoFillBackground(true);
  applyColours();
}

std::array<Line *, 21> GraphQSO::lines() const {
  return {Line1,  Line2,  Line3,  Line4,  Line5,  Line6,  Line7,  Line8,  Line9,  Line10, Line11,
          Line12, Line13, Line14, Line15, Line16, Line17, Line18, Line19, Line20, Line21};
}

// Sized to the work area before the graph is drawn, which reads the scaled lines.
void GraphQSO::Form_Load() {
  ScreenScaling::WorkAreaCopy(*this, ctx);
  DrawRateGraph();
}

void GraphQSO::Command1_Click() {
  const bool toBlack = background_ != Qt::black;
  Command1->setText(toBlack ? kBlackCaption : kWhiteCaption);
  background_ = toBlack ? Qt::black : Qt::white;
  applyColours();
  DrawRateGraph();
}

void GraphQSO::applyColours() {
  const QColor foreground = background_ == Qt::black ? Qt::white : Qt::black;
  QPalette p = palette();
  p.setColor(QPalette::Window, background_);
  setPalette(p);
  for (QLabel *l : lblY)
    setTextColour(l, foreground);
  for (int k = 0; k < 15; ++k) {
    setTextColour(lblTime[k], foreground);
    setTextColour(lblDate[k], foreground);
  }
  setTextColour(Label1, foreground);
  for (Line *l : lines())
    l->setBorderColor(foreground);
}

RatePlotBounds GraphQSO::plotBounds() const {
  return {Line4->X1(), Line3->X1(), Line1->Y1(), Line2->Y1(), Line8->Y1(), Line9->Y1()};
}

void GraphQSO::DrawRateGraph() {
  figure_.reset();
  update();
  const std::optional<RateGraph> graph = computeRateGraph(ctx.logging.log, background_.rgb());
  if (!graph) {
    ctx.dialogs.message(QStringLiteral("The graph will not display with less than 7 contacts.  The graph "
                                       "becomes more meaningful as several hours of contest logging "
                                       "are accumulated."),
                        QStringLiteral("Not Enough Contacts to Graph."));
    return;
  }
  for (int k = 0; k < 15; ++k) {
    lblTime[k]->setText(graph->times[k]);
    lblDate[k]->setText(graph->dates[k]);
  }
  for (int k = 0; k < 17; ++k)
    lblY[k]->setText(graph->rates[k]);
  figure_ = rateFigure(*graph, plotBounds());
}

// The grid and frame lines are controls of their own, drawn over the figure.
void GraphQSO::paintEvent(QPaintEvent *) {
  if (!figure_)
    return;
  QPainter p(this);
  const double perPixel = twipsPerPixel(this);
  p.scale(1.0 / perPixel, 1.0 / perPixel);
  for (const RateFigure::Box &b : figure_->boxes)
    p.fillRect(b.rect, QColor::fromRgb(b.colour));
  p.setPen(QPen(QColor::fromRgb(figure_->lineColour), 0));
  p.drawLines(figure_->segments.data(), static_cast<int>(figure_->segments.size()));
}
