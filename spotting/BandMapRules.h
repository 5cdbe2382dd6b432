#pragma once
// The arithmetic of the two band maps, free of widgets: band edges, the scale fitted to the
// spots held, the scale captions, where a spot label stands, its colour by age and its tooltip.
// The main window's strip compares single-precision spot frequencies with double band edges,
// the spectrum map with single-precision ones; the two tables stay apart on purpose, since
// which spots lie inside a band and the captions at the edges depend on it.

#include "spotting/SpotTable.h"

#include <QColor>
#include <QDateTime>
#include <QPointF>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <vector>

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
// The frequencies of the spot table's slots.
std::array<float, kSlots> frequencies(std::span<const SpotSlot> table);

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

// A band's axis and the size of a spot label, in twips.
struct Axis {
  float x1 = 0, x2 = 0, y = 0;
};
struct LabelSize {
  float width = 0, height = 0;
};

// What a redraw does to one spot label: its tooltip and caption, where it stands (none: on no
// axis) and its colour (none: an hour old or more, where the redraw stops and the label stays
// hidden). The label shows when it has both.
struct LabelPlan {
  int slot = 0;
  QString tooltip;
  QString caption;
  std::optional<QPointF> place; // top-left
  std::optional<QColor> colour;
  bool shown() const { return place && colour; }
};

// The main strip, newest slot first: slots outside the shown scale (read back from its end
// captions) are passed over, the first an hour old ends the list. Labels stand `gap` above the axis.
std::vector<LabelPlan> planStrip(std::span<const SpotSlot> table, const Axis &axis, float lower, float upper,
                                 LabelSize label, float gap, const QDateTime &now, float utcOffsetHours);

// The spectrum map's tick captions, five a band, each band fitted to the spots.
std::array<std::array<QString, kTicks>, kSpectrumBands> spectrumCaptions(std::span<const float> freqs);
// The spectrum map, newest slot first: every slot reached gets its tooltip and caption, a slot
// inside a band's default edges stands on that band's line placed by the scale read back from
// its captions (`scales`), and the first slot an hour old, placed or not, ends the list.
std::vector<LabelPlan> planSpectrum(std::span<const SpotSlot> table, std::span<const Axis> lines,
                                    std::span<const FloatRange> scales, LabelSize label, const QDateTime &now,
                                    float utcOffsetHours);

} // namespace bandmap
