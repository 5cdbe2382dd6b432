// One redraw of each band map with 50 spots, the windows laid out for a 1,920 x 1,080 screen off
// screen: the main window's strip with all 50 spots in the current band, and the spectrum map
// with the 50 spread over its eleven bands; each against the plain computation of the same
// captions, places and colours without widgets (the reference). Target: each redraw under 5 ms
// median, 60 times below one 333 ms tick of the cluster window.
// Run: cmake -B build-release -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=ON && ninja -C build-release
//      band_map_bench && build-release/bench/band_map_bench
#include "bench/BenchMain.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "spotting/BandMapRules.h"
#include "spotting/SpectrumMap.h"

namespace {

class FullHd : public ScreenMetrics {
public:
  ScreenTwips twips() const override { return {28800, 16200, 28800, 16200}; }
};

struct Station : BenchPc {
  Form1 &form = ctx.window<Form1>();

  Station() : BenchPc(QStringLiteral("bench-bandmap")) {
    ctx.screen = std::make_unique<FullHd>();
    form.ScaleToScreen();
    form.AddListColumns();
    form.layOutSpotArea(QStringLiteral("Telnet"), false);
    ctx.logging.CurrentBand = QStringLiteral("20");
  }

  // 50 spots a minute apart, on 20 m or spread over the spectrum map's bands.
  void fill(bool spread) {
    const auto &bands = bandmap::spectrumBands();
    for (int i = 0; i < bandmap::kSlots; ++i) {
      const bandmap::FloatRange band = spread ? bands[std::size_t(i) % bands.size()] : bands[4];
      const float mhz = band.lower + (band.upper - band.lower) * float(i % 7 + 1) / 9;
      const QString call = QStringLiteral("Q%1AB%2").arg(i % 10).arg(QChar(u'A' + i % 26));
      ctx.spotting.SpotTable[std::size_t(i)] = {
          call, mhz, clock.now().addSecs(-60 * (49 - i)), call.left(2), {}};
    }
  }

  bandmap::Axis axis() const { return {form.LineDX->X1(), form.LineDX->X2(), form.LineDX->Y1()}; }
};

Station &station() {
  static Station s;
  return s;
}

void BM_StripReference(benchmark::State &state) {
  Station &s = station();
  s.fill(false);
  const QSizeF label = twipsRect(s.form.lblDXSpot[0]).size();
  const float gap = bandmap::axisGap(float(twipsRect(&s.form).height()));
  for (auto _ : state) {
    const bandmap::Range r =
        bandmap::mainScaleRange(bandmap::frequencies(s.ctx.spotting.SpotTable), QStringLiteral("20"));
    const auto captions = bandmap::scaleCaptions(r.lower, r.upper);
    benchmark::DoNotOptimize(
        bandmap::planStrip(s.ctx.spotting.SpotTable, s.axis(), bandmap::captionValue(captions[0]),
                           bandmap::captionValue(captions[4]), {float(label.width()), float(label.height())},
                           gap, s.clock.now(), 0));
  }
}

void BM_DisplayBandMapLabels(benchmark::State &state) {
  Station &s = station();
  s.fill(false);
  for (auto _ : state)
    s.form.DisplayBandMapLabels();
}

void BM_SpectrumReference(benchmark::State &state) {
  Station &s = station();
  s.fill(true);
  SpectrumMap &map = s.ctx.window<SpectrumMap>();
  map.Form_Load();
  std::array<bandmap::Axis, bandmap::kSpectrumBands> lines;
  for (std::size_t b = 0; b < lines.size(); ++b)
    lines[b] = {map.lineHF[b]->X1(), map.lineHF[b]->X2(), map.lineHF[b]->Y1()};
  const QSizeF label = twipsRect(map.lblDXSpot[0]).size();
  for (auto _ : state) {
    const auto captions = bandmap::spectrumCaptions(bandmap::frequencies(s.ctx.spotting.SpotTable));
    std::array<bandmap::FloatRange, bandmap::kSpectrumBands> scales;
    for (std::size_t b = 0; b < scales.size(); ++b)
      scales[b] = {bandmap::captionValue(captions[b][0]), bandmap::captionValue(captions[b][4])};
    benchmark::DoNotOptimize(bandmap::planSpectrum(s.ctx.spotting.SpotTable, lines, scales,
                                                   {float(label.width()), float(label.height())},
                                                   s.clock.now(), 0));
  }
}

void BM_BandMapLabelDisplay(benchmark::State &state) {
  Station &s = station();
  s.fill(true);
  SpectrumMap &map = s.ctx.window<SpectrumMap>();
  for (auto _ : state)
    map.BandMapLabelDisplay();
}

} // namespace

BENCHMARK(BM_StripReference)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DisplayBandMapLabels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SpectrumReference)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BandMapLabelDisplay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  RatioReporter reporter;
  return runBenchmarks(argc, argv, &reporter, [&reporter] {
    std::cout << "\nRatios of each redraw against its plain computation (medians):\n";
    reporter.ratio("BM_DisplayBandMapLabels/repeats:5_median", "BM_StripReference/repeats:5_median");
    reporter.ratio("BM_BandMapLabelDisplay/repeats:5_median", "BM_SpectrumReference/repeats:5_median");
  });
}
