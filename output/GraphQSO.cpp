#include "output/GraphQSO.h"

#include "app/AppContext.h"
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

// The dotted grid: lines 7 and 10 to 15 across the plot at every other rate label, lines 16 to
// 21 down it at every other time label.
bool isGrid(int n) {
  return n == 7 || n >= 10;
}

void setTextColour(QLabel *label, const QColor &colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

QLabel *makeLabel(QWidget *parent, const QString &text, double left, double top, double width,
                  Qt::Alignment align, int points) {
  auto *l = new QLabel(text, parent);
  placeTwips(l, left, top, width, 240);
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
  Form_Load();
}

void GraphQSO::buildControls() {
  Line[1] = QLineF(kPlotLeft, kPlotTop, kPlotRight, kPlotTop);
  Line[2] = QLineF(kPlotLeft, kPlotBottom, kPlotRight, kPlotBottom);
  Line[3] = QLineF(kPlotRight, kPlotTop, kPlotRight, kPlotBottom);
  Line[4] = QLineF(kPlotLeft, kPlotTop, kPlotLeft, kPlotBottom);
  Line[5] = QLineF(kPlotLeft, kStripTop, kPlotLeft, kStripBottom);
  Line[6] = QLineF(kPlotRight, kStripTop, kPlotRight, kStripBottom);
  Line[8] = QLineF(kPlotLeft, kStripTop, kPlotRight, kStripTop);
  Line[9] = QLineF(kPlotLeft, kStripBottom, kPlotRight, kStripBottom);
  const int across[] = {7, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 7; ++i) {
    const double y = kPlotBottom - (2 * i + 2) * kRateLabelPitch;
    Line[across[i]] = QLineF(kPlotLeft, y, kPlotRight, y);
  }
  for (int i = 0; i < 6; ++i) {
    const double x = kPlotLeft + (2 * i + 2) * kTimeLabelPitch;
    Line[16 + i] = QLineF(x, kPlotTop, x, kPlotBottom);
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

  Command1 = new QPushButton(kBlackCaption, this);
  placeTwips(Command1, 7320, 6090, 1800, 420);
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);

  placeTwips(this, 0, 0, 9600, 7200);
  setAutoFillBackground(true);
  applyColours();
}

void GraphQSO::Form_Load() {
  DrawRateGraph();
}

void GraphQSO::Command1_Click() {
  const bool toBlack = Command1->text() != kBlackCaption;
  Command1->setText(toBlack ? kBlackCaption : kWhiteCaption);
  background_ = toBlack ? Qt::black : Qt::white;
  foreground_ = toBlack ? Qt::white : Qt::black;
  applyColours();
  DrawRateGraph();
}

void GraphQSO::applyColours() {
  QPalette p = palette();
  p.setColor(QPalette::Window, background_);
  setPalette(p);
  for (QLabel *l : lblY)
    setTextColour(l, foreground_);
  for (int k = 0; k < 15; ++k) {
    setTextColour(lblTime[k], foreground_);
    setTextColour(lblDate[k], foreground_);
  }
  setTextColour(Label1, foreground_);
  for (int i = 0; i < 7; ++i)
    setTextColour(lblBnd[i], QColor::fromRgb(kBandLegend[i].colour));
}

RatePlotBounds GraphQSO::plotBounds() const {
  return {Line[4].x1(), Line[3].x1(), Line[1].y1(), Line[2].y1(), Line[8].y1(), Line[9].y1()};
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

void GraphQSO::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
  const auto drawLines = [&](bool grid) {
    p.setPen(QPen(foreground_, 0, grid ? Qt::DotLine : Qt::SolidLine));
    for (int n = 1; n < static_cast<int>(Line.size()); ++n)
      if (isGrid(n) == grid)
        p.drawLine(Line[n]);
  };
  drawLines(true);
  if (figure_) {
    for (const RateFigure::Box &b : figure_->boxes)
      p.fillRect(b.rect, QColor::fromRgb(b.colour));
    p.setPen(QPen(QColor::fromRgb(figure_->lineColour), 0));
    p.drawLines(figure_->segments.data(), static_cast<int>(figure_->segments.size()));
  }
  drawLines(false);
}
