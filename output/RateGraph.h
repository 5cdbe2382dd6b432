#pragma once
// The QSO-rate graph without its window: the rate of every contact (contacts in the ten
// minutes up to it, times six) laid on a time axis of 1,500 steps, gaps bridged, smoothed,
// with a strip of band colours under it, its axis labels, and the figure in twips.

#include "logging/LogArrays.h"

#include <QColor>
#include <QLineF>
#include <QLocale>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

constexpr int kRateSteps = 1500;
// Slots 0 to 1,600: a contact placed past the last step still lands in the array.
constexpr int kRateSlots = 1601;
constexpr int kRateMinContacts = 7;

struct BandLegend {
  const char *band;
  QRgb colour;
};
// The legend labels left to right; each band's strip colour is its label's text colour.
extern const std::array<BandLegend, 7> kBandLegend;

struct RateGraph {
  std::array<float, kRateSlots> raw{};
  std::array<float, kRateSlots> drawn{};
  std::array<QRgb, kRateSlots> strip{};
  float minimum = 0;
  float maximum = 0;
  std::array<QString, 15> times; // "hh:mm" along the time axis
  std::array<QString, 15> dates; // "MM/DD", the locale's separator in place of "/"
  std::array<QString, 17> rates; // bottom to top
};

// The graph of the log, with `background` as the strip's "no band" colour and the dates shown
// with `locale`'s separator. Contacts whose stored date or time cannot be read are left out;
// nullopt when fewer than seven remain.
std::optional<RateGraph> computeRateGraph(const LogArrays &log, QRgb background,
                                          const QLocale &locale = QLocale::system());

// Where the figure goes, in twips: the left and right bounds of the plot (X1 of `Line4` and
// `Line3`), its top and bottom (Y1 of `Line1` and `Line2`), and the strip's upper and lower
// edges (Y1 of `Line8` and `Line9`).
struct RatePlotBounds {
  double left = 0;
  double right = 0;
  double top = 0;
  double bottom = 0;
  double stripTop = 0;
  double stripBottom = 0;
};

struct RateFigure {
  QRgb lineColour = qRgb(0, 0, 255);
  std::vector<QLineF> segments; // step k to step k - 1, for k = 1 to 1,500
  struct Box {
    QRectF rect;
    QRgb colour;
  };
  std::vector<Box> boxes; // one step wide, under every step with a rate
};

RateFigure rateFigure(const RateGraph &graph, const RatePlotBounds &bounds);
