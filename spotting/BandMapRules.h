#pragma once
// The arithmetic of the two band maps, free of widgets: band edges, the scale fitted to the
// spots held, the scale captions, where a spot label stands, its colour by age and its tooltip.
// The main window's strip compares single-precision spot frequencies with double band edges,
// the spectrum map with single-precision ones; the two tables stay apart on purpose, since
// which spots lie inside a band and the captions at the edges depend on it.

#include <QColor>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace bandmap {

inline constexpr int kSlots = 50;
inline constexpr int kTicks = 5;
inline constexpr int kSpectrumBands = 11;

struct Range {
  double lower = 0;
  double upper = 0;
};

// The main strip's edges of a band text ("160" ... "440", any case); any other text gives 0/0.
Range mainBandEdges(const QString &band);

// The spectrum map's default edges, single precision, band 0 (160 m) to 10 (2 m).
struct FloatRange {
  float lower = 0;
  float upper = 0;
};
const std::array<FloatRange, kSpectrumBands> &spectrumBands();

// The lowest and highest of the frequencies of slots 1 to 49 strictly between the edges, or
// nothing unless the highest is above the lowest (no spot, one spot, all on one frequency).
// Slot 0 takes no part.
std::optional<std::pair<float, float>> spotSpread(std::span<const float> freqs, double lower, double upper);

// The main strip's shown range: the spread less and plus 1 kHz, or the band's edges.
Range mainScaleRange(std::span<const float> freqs, const QString &band);
// The spectrum map's fit of one band: the spread less and plus 1 kHz as single precision, or
// the band's default edges.
FloatRange fitBandRange(std::span<const float> freqs, FloatRange band);

// The five scale captions from lower to upper: the quarter points rounded to 3 decimals with
// halves to even, written with a point and three decimals ("7.150", ".500").
std::array<QString, kTicks> scaleCaptions(double lower, double upper);
// A caption read back as a single-precision number (0 when it is not one).
float captionValue(const QString &caption);

// The text colour of a spot label by its age in seconds (a future arrival counts as young);
// nothing from an hour on, where a redraw stops.
std::optional<QColor> ageColour(qint64 ageSeconds);

// Call, frequency and the arrival time in UTC, each after two blanks: "Q7XYZ  14.025  18:00:00".
QString spotTooltip(const QString &call, float freq, const QDateTime &localTime, float utcOffsetHours);

// Left of a label of `width` centred on `freq` on an axis from x1 (lower) to x2 (upper).
float spotLeft(float x1, float x2, float freq, float lower, float upper, float width);
// Left of scale label `tick` (0 to 4), centred on the ends and quarter points of the axis.
float tickLeft(float x1, float x2, int tick, float width);
// The gap between the axis and the labels above and below it, by the window's outer height.
float axisGap(float windowHeight);

} // namespace bandmap
