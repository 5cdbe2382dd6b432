#include "output/RateGraph.h"

#include "logging/LogRules.h"
#include "platform/VbText.h"

#include <QDateTime>

#include <algorithm>

const std::array<BandLegend, 7> kBandLegend{{{"160", qRgb(255, 255, 255)},
                                             {"80", qRgb(0, 0, 255)},
                                             {"40", qRgb(255, 0, 0)},
                                             {"20", qRgb(0, 255, 0)},
                                             {"15", qRgb(128, 255, 255)},
                                             {"10", qRgb(255, 0, 255)},
                                             {"6", qRgb(255, 255, 0)}}};

namespace {

constexpr qint64 kRateWindowSecs = 600;
constexpr float kPerHour = 6; // ten minutes' worth times six
constexpr int kBridgeReach = 15;
constexpr int kSmoothWidth = 7;

struct Contact {
  qint64 secs; // from the first readable contact
  QString band;
};

std::optional<QRgb> bandColour(const QString &band) {
  for (const BandLegend &l : kBandLegend)
    if (band == QLatin1String(l.band))
      return l.colour;
  return std::nullopt;
}

// Rate and band of every contact at its step. The first contact takes step 1; with no span
// (or a last contact older than the first) every contact does. A contact whose step falls
// outside the arrays (logged out of time order) still counts for its neighbours.
void placeContacts(RateGraph &g, const std::vector<Contact> &contacts, qint64 span) {
  const double stepLen = static_cast<double>(span) / kRateSteps;
  for (size_t i = 0; i < contacts.size(); ++i) {
    int count = 0;
    for (size_t j = i + 1; j-- > 0 && contacts[i].secs - contacts[j].secs < kRateWindowSecs;)
      ++count;
    int step = 1;
    if (i > 0 && stepLen > 0) {
      const double at = vb::roundHalfEven(static_cast<double>(contacts[i].secs) / stepLen);
      if (at < 0 || at > kRateSlots - 1)
        continue;
      step = static_cast<int>(at);
    }
    g.raw[step] = static_cast<float>(count) * kPerHour;
    if (const auto colour = bandColour(contacts[i].band))
      g.strip[step] = *colour;
  }
}

// A step without a contact takes a straight line from the step before it to the next contact
// within reach; further off it stays at zero.
void bridgeGaps(RateGraph &g) {
  for (int k = 2; k <= kRateSteps; ++k) {
    if (g.raw[k] != 0) {
      g.drawn[k] = g.raw[k];
      continue;
    }
    int m = k + 1;
    while (m <= k + kBridgeReach && !(g.raw[m] > 0))
      ++m;
    if (m > k + kBridgeReach)
      continue;
    const double previous = g.raw[k - 1];
    for (int q = k; q < m; ++q) {
      const auto v = static_cast<float>(previous + (q - k) * (g.raw[m] - previous) / (m - k));
      g.raw[q] = v;
      g.drawn[q] = v;
    }
  }
}

// Mean of the positive rates of the last seven steps; reads the bridged rates, not the
// smoothed ones, so the smoothing does not build on itself.
void smooth(RateGraph &g) {
  for (int k = kSmoothWidth; k <= kRateSteps; ++k) {
    double sum = 0;
    int n = 0;
    for (int j = k - kSmoothWidth + 1; j <= k; ++j) {
      if (g.raw[j] > 0) {
        sum += g.raw[j];
        ++n;
      }
    }
    if (n > 0)
      g.drawn[k] = static_cast<float>(sum / n);
  }
}

// A band's colour runs on over steps without a contact until the rate falls to zero.
void carryStripColours(RateGraph &g, QRgb background) {
  QRgb carried = background;
  for (int k = 1; k <= kRateSteps; ++k) {
    if (g.drawn[k] <= 0)
      carried = background;
    else if (g.strip[k] == background)
      g.strip[k] = carried;
    else
      carried = g.strip[k];
  }
}

void label(RateGraph &g, const QDateTime &t0, qint64 span, const QLocale &locale) {
  for (int k = 0; k < static_cast<int>(g.times.size()); ++k) {
    const QDateTime at = t0.addSecs(vb::roundToInt(static_cast<double>(k) * span / 14));
    g.times[k] = vb::formatDateTime(at, QStringLiteral("hh:mm"));
    g.dates[k] = vb::formatShownDate(at, QStringLiteral("MM/DD"), locale);
  }
  for (int k = 0; k < static_cast<int>(g.rates.size()); ++k) {
    const auto v = static_cast<float>(g.minimum + k * (static_cast<double>(g.maximum) - g.minimum) / 16);
    g.rates[k] = vb::formatSingle(v, QStringLiteral("###0.0"));
  }
}

} // namespace

std::optional<RateGraph> computeRateGraph(const LogArrays &log, QRgb background, const QLocale &locale) {
  std::optional<QDateTime> t0;
  std::vector<Contact> contacts;
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const LogEntry &e = log.slot(n);
    if (const auto when = storedDateTime(e.flddate, e.fldtime)) {
      if (!t0)
        t0 = *when;
      contacts.push_back({t0->secsTo(*when), e.uband});
    }
  }
  if (static_cast<int>(contacts.size()) < kRateMinContacts)
    return std::nullopt;

  RateGraph g;
  g.strip.fill(background);
  g.raw[1] = kPerHour;
  g.drawn[1] = kPerHour;
  const qint64 span = contacts.back().secs;
  placeContacts(g, contacts, span);
  bridgeGaps(g);
  smooth(g);
  const auto steps = std::next(g.drawn.begin());
  g.minimum = std::min(100000.0f, *std::min_element(steps, steps + kRateSteps));
  g.maximum = std::max(-1.0f, *std::max_element(steps, steps + kRateSteps));
  carryStripColours(g, background);
  label(g, *t0, span, locale);
  return g;
}

RateFigure rateFigure(const RateGraph &g, const RatePlotBounds &b) {
  const double hstep = (b.right - b.left) / kRateSteps;
  const double h = b.bottom - b.top;
  // A flat rate has no range to scale; it sits at the bottom.
  const double range = g.maximum > g.minimum ? static_cast<double>(g.maximum) - g.minimum : 1.0;
  const double vscale = 0.995 * h / range;
  const auto x = [&](int k) { return b.left + 10 + (k - 2) * hstep; };
  const auto y = [&](float v) { return b.bottom - (v - g.minimum) * vscale - 0.0025 * h; };

  RateFigure f;
  f.segments.reserve(kRateSteps);
  for (int k = 1; k <= kRateSteps; ++k) {
    f.segments.emplace_back(x(k), y(g.drawn[k]), x(k - 1), y(g.drawn[k - 1]));
    if (g.drawn[k] > 0 || g.drawn[k - 1] > 0)
      f.boxes.push_back(
          {QRectF(QPointF(x(k - 1), b.stripTop), QPointF(x(k), b.stripBottom)).normalized(), g.strip[k]});
  }
  return f;
}
