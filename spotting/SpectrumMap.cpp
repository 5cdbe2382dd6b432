#include "spotting/SpectrumMap.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "spotting/SpotLabels.h"

#include <QCoreApplication>
#include <QFontDatabase>

namespace {

const QColor kStrip(0, 0, 128);
constexpr float kClientWidth = 9480;
constexpr float kClientHeight = 6795;

// The map's small serif face.
QFont mapFont() {
  QFont font(QFontDatabase::hasFamily(QStringLiteral("DejaVu Serif")) ? QStringLiteral("DejaVu Serif")
                                                                      : QStringLiteral("Serif"));
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(6.75);
  return font;
}

// The hourglass while a redraw runs, the arrow after it however it ends.
class WaitPointer {
public:
  explicit WaitPointer(QWidget &window) : window_(window) { window_.setCursor(Qt::WaitCursor); }
  ~WaitPointer() { window_.setCursor(Qt::ArrowCursor); }
  WaitPointer(const WaitPointer &) = delete;
  WaitPointer &operator=(const WaitPointer &) = delete;

private:
  QWidget &window_;
};

} // namespace

SpectrumMap::SpectrumMap(AppContext &context) : QDialog(&context.window<Form1>()), ctx(context) {
  setWindowTitle(QStringLiteral(" HF Spectrum Map"));
  setBackColor(this, Qt::black);
  const QFont font = mapFont();
  for (int b = 0; b < int(lblHFSpots.size()); ++b) {
    lblHFSpots[std::size_t(b)] = placed<Label>(this, 120, 120 + 600 * b, 9255, 495);
    setBackColor(lblHFSpots[std::size_t(b)], kStrip);
  }
  for (int b = 0; b < int(lineHF.size()); ++b) {
    auto *line = new Line(this);
    line->setBorderColor(Qt::white);
    line->setEnds(360, float(360 + 600 * b), 9120, float(360 + 600 * b));
    lineHF[std::size_t(b)] = line;
  }
  for (Label *&tick : lblFreqSpot) {
    tick = bandmap::makeMapLabel(this, 600, 180, Qt::white, QStringLiteral("lblFreqSpot"));
    tick->setFont(font);
  }
  for (int i = 0; i < int(lblDXSpot.size()); ++i) {
    Label *spot =
        bandmap::makeSpotLabel(this, 600, 180, [this, i](Qt::MouseButton b) { lblDXSpot_MouseDown(i, b); });
    spot->setText(QStringLiteral("DXLBL"));
    spot->setFont(font);
    lblDXSpot[std::size_t(i)] = spot;
  }
  const QSizeF frame = frameTwips(this);
  placeTwips(this, 0, 0, kClientWidth + frame.width(), kClientHeight + frame.height());
}

void SpectrumMap::Form_Load() {
  if (ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::SpectrumMap))
    return;
  lblDXSpot[49]->raise();
  SetBandScales();
  for (Label *tick : lblFreqSpot)
    tick->show();
  ResizeMapForm();
  QCoreApplication::processEvents();
}

void SpectrumMap::Form_Activate() {
  BandMapLabelDisplay();
}

bool SpectrumMap::event(QEvent *e) {
  const bool handled = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate)
    Form_Activate();
  return handled;
}

void SpectrumMap::SetBandScales() {
  const auto captions = bandmap::spectrumCaptions(bandmap::frequencies(ctx.spotting.SpotTable));
  const float gap = bandmap::axisGap(float(twipsRect(this).height()));
  for (std::size_t b = 0; b < captions.size(); ++b) {
    const Line &line = *lineHF[b];
    for (int j = 0; j < bandmap::kTicks; ++j) {
      Label *tick = lblFreqSpot[b * bandmap::kTicks + std::size_t(j)];
      tick->setText(captions[b][std::size_t(j)]);
      const QRectF r = twipsRect(tick);
      placeTwips(tick, bandmap::tickLeft(line.X1(), line.X2(), j, float(r.width())), line.Y1() + gap,
                 r.width(), r.height());
    }
  }
}

void SpectrumMap::ResizeMapForm() {
  ScreenScaling::WorkAreaFill(*this, ctx, false);
}

void SpectrumMap::BandMapLabelDisplay() {
  const WaitPointer wait(*this);
  for (Label *spot : lblDXSpot)
    spot->hide();
  SetBandScales();
  std::array<bandmap::Axis, bandmap::kSpectrumBands> lines;
  std::array<bandmap::FloatRange, bandmap::kSpectrumBands> scales;
  for (std::size_t b = 0; b < lines.size(); ++b) {
    lines[b] = {lineHF[b]->X1(), lineHF[b]->X2(), lineHF[b]->Y1()};
    scales[b] = {bandmap::captionValue(lblFreqSpot[b * bandmap::kTicks]->text()),
                 bandmap::captionValue(lblFreqSpot[b * bandmap::kTicks + 4]->text())};
  }
  const QSizeF label = twipsRect(lblDXSpot[0]).size();
  const auto plans = bandmap::planSpectrum(ctx.spotting.SpotTable, lines, scales,
                                           {float(label.width()), float(label.height())}, ctx.clock.now(),
                                           ctx.logging.station.UtcOffsetHours);
  for (const bandmap::LabelPlan &plan : plans)
    bandmap::applyPlan(lblDXSpot[std::size_t(plan.slot)], plan);
}

void SpectrumMap::lblDXSpot_MouseDown(int Index, Qt::MouseButton Button) {
  SpotSlot &spot = ctx.spotting.SpotTable[std::size_t(Index)];
  if (Button != Qt::RightButton) {
    spot.SpotFreq = 0;
    BandMapLabelDisplay();
    return;
  }
  Form1 &main = ctx.window<Form1>();
  main.inTurn([&main, frequency = spot.SpotFreq, call = spot.SpotCall] {
    main.ChangeRigFrequency(frequency);
    main.txtCall->setText(Form1::outsideCall(call));
    main.txtCall->setFocus();
  });
  hide();
}
