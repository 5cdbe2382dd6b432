#include "spotting/BandMapRules.h"

#include "logging/LogRules.h"
#include "platform/VbText.h"

#include <QLocale>

namespace bandmap {

namespace {

constexpr double kMargin = 0.001; // 1 kHz either side of the spread

struct MainBand {
  const char *band;
  Range edges;
};

const MainBand kMainBands[] = {
    {"160", {1.8, 2}},  {"80", {3.5, 4}}, {"40", {7, 7.3}},  {"20", {14, 14.35}},  {"15", {21, 21.45}},
    {"10", {28, 29.7}}, {"6", {50, 54}},  {"2", {144, 148}}, {"1.25", {219, 225}}, {"440", {420, 450}}};

} // namespace

Range mainBandEdges(const QString &band) {
  for (const MainBand &b : kMainBands)
    if (band.compare(QLatin1String(b.band), Qt::CaseInsensitive) == 0)
      return b.edges;
  return {};
}

const std::array<FloatRange, kSpectrumBands> &spectrumBands() {
  static const std::array<FloatRange, kSpectrumBands> bands{{{1.8f, 2.0f},
                                                             {3.5f, 4.0f},
                                                             {7.0f, 7.3f},
                                                             {10.1f, 10.15f},
                                                             {14.0f, 14.35f},
                                                             {18.068f, 18.168f},
                                                             {21.0f, 21.45f},
                                                             {24.89f, 24.99f},
                                                             {28.0f, 29.7f},
                                                             {50.0f, 54.0f},
                                                             {144.0f, 148.0f}}};
  return bands;
}

std::optional<std::pair<float, float>> spotSpread(std::span<const float> freqs, double lower, double upper) {
  float lowest = 0;
  float highest = 0;
  bool any = false;
  for (std::size_t i = 1; i < freqs.size() && i < kSlots; ++i) {
    const float f = freqs[i];
    if (!(f > lower && f < upper))
      continue;
    if (!any || f < lowest)
      lowest = f;
    if (!any || f > highest)
      highest = f;
    any = true;
  }
  if (!any || !(highest > lowest))
    return std::nullopt;
  return std::pair{lowest, highest};
}

std::array<float, kSlots> frequencies(std::span<const SpotSlot> table) {
  std::array<float, kSlots> freqs{};
  for (std::size_t i = 0; i < table.size() && i < freqs.size(); ++i)
    freqs[i] = table[i].SpotFreq;
  return freqs;
}

Range mainScaleRange(std::span<const float> freqs, const QString &band) {
  const Range edges = mainBandEdges(band);
  const auto spread = spotSpread(freqs, edges.lower, edges.upper);
  if (!spread)
    return edges;
  return {double(spread->first) - kMargin, double(spread->second) + kMargin};
}

FloatRange fitBandRange(std::span<const float> freqs, FloatRange band) {
  const auto spread = spotSpread(freqs, band.lower, band.upper);
  if (!spread)
    return band;
  return {float(double(spread->first) - kMargin), float(double(spread->second) + kMargin)};
}

std::array<QString, kTicks> scaleCaptions(double lower, double upper) {
  std::array<QString, kTicks> captions;
  for (int i = 0; i < kTicks; ++i) {
    const double value = lower + (upper - lower) * 0.25 * i;
    captions[std::size_t(i)] =
        vb::formatNumber(vb::roundHalfEven(value * 1000.0) / 1000.0, QStringLiteral("#.000"), false);
  }
  return captions;
}

float captionValue(const QString &caption) {
  bool ok = false;
  const float value = QLocale::c().toFloat(caption, &ok);
  return ok ? value : 0.0f;
}

std::optional<QColor> ageColour(qint64 ageSeconds) {
  if (ageSeconds < 600)
    return QColor(255, 255, 128);
  if (ageSeconds < 1800)
    return QColor(255, 255, 255);
  if (ageSeconds < 3600)
    return QColor(192, 192, 192);
  return std::nullopt;
}

QString spotTooltip(const QString &call, float freq, const QDateTime &localTime, float utcOffsetHours) {
  const QString blanks = QStringLiteral("  ");
  return call + blanks + vb::formatSingle(freq, QStringLiteral("#.000"), false) + blanks +
         vb::formatDateTime(utcFromLocal(localTime, utcOffsetHours), QStringLiteral("hh:mm:ss"));
}

float spotLeft(float x1, float x2, float freq, float lower, float upper, float width) {
  return x1 + (freq - lower) / (upper - lower) * (x2 - x1) - width / 2;
}

float tickLeft(float x1, float x2, int tick, float width) {
  return float(x1 + tick * 0.25 * (x2 - x1) - width / 2);
}

float axisGap(float windowHeight) {
  return float(0.004 * windowHeight);
}

namespace {

LabelPlan described(const SpotSlot &spot, int slot, float utcOffsetHours) {
  return {slot,
          spotTooltip(spot.SpotCall, spot.SpotFreq, spot.SpotTime, utcOffsetHours),
          spot.SpotPrefix,
          {},
          {}};
}

} // namespace

std::vector<LabelPlan> planStrip(std::span<const SpotSlot> table, const Axis &axis, float lower, float upper,
                                 LabelSize label, float gap, const QDateTime &now, float utcOffsetHours) {
  std::vector<LabelPlan> plans;
  for (int i = int(table.size()) - 1; i >= 0; --i) {
    const SpotSlot &spot = table[std::size_t(i)];
    if (!(lower < spot.SpotFreq && spot.SpotFreq < upper))
      continue;
    LabelPlan &p = plans.emplace_back(described(spot, i, utcOffsetHours));
    p.place = QPointF(spotLeft(axis.x1, axis.x2, spot.SpotFreq, lower, upper, label.width),
                      axis.y - label.height - gap);
    p.colour = ageColour(spot.SpotTime.secsTo(now));
    if (!p.colour)
      break;
  }
  return plans;
}

std::array<std::array<QString, kTicks>, kSpectrumBands> spectrumCaptions(std::span<const float> freqs) {
  std::array<std::array<QString, kTicks>, kSpectrumBands> captions;
  for (std::size_t b = 0; b < captions.size(); ++b) {
    const FloatRange fitted = fitBandRange(freqs, spectrumBands()[b]);
    captions[b] = scaleCaptions(fitted.lower, fitted.upper);
  }
  return captions;
}

std::vector<LabelPlan> planSpectrum(std::span<const SpotSlot> table, std::span<const Axis> lines,
                                    std::span<const FloatRange> scales, LabelSize label, const QDateTime &now,
                                    float utcOffsetHours) {
  std::vector<LabelPlan> plans;
  const auto &bands = spectrumBands();
  for (int i = int(table.size()) - 1; i >= 0; --i) {
    const SpotSlot &spot = table[std::size_t(i)];
    LabelPlan &p = plans.emplace_back(described(spot, i, utcOffsetHours));
    for (std::size_t b = 0; b < bands.size() && b < lines.size() && b < scales.size(); ++b) {
      if (!(bands[b].lower < spot.SpotFreq && spot.SpotFreq < bands[b].upper))
        continue;
      const Axis &line = lines[b];
      p.place =
          QPointF(spotLeft(line.x1, line.x2, spot.SpotFreq, scales[b].lower, scales[b].upper, label.width),
                  line.y - label.height);
    }
    p.colour = ageColour(spot.SpotTime.secsTo(now));
    if (!p.colour)
      break;
  }
  return plans;
}

} // namespace bandmap
