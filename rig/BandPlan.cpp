#include "rig/BandPlan.h"

#include "platform/VbText.h"

namespace {

// The next complete record, or nothing at the end of the data or on a failure.
std::optional<BandPlanRecord> nextRecord(vb::FieldReader &in) {
  BandPlanRecord r;
  const auto band = in.text();
  const auto cls = band ? in.text() : std::nullopt;
  const auto mode = cls ? in.text() : std::nullopt;
  const auto low = mode ? in.number() : std::nullopt;
  const auto high = low ? in.number() : std::nullopt;
  if (!high)
    return std::nullopt;
  return BandPlanRecord{*band, *cls, *mode, static_cast<float>(*low), static_cast<float>(*high)};
}

} // namespace

std::vector<BandPlanRecord> loadExtraRows(const QString &path) {
  std::vector<BandPlanRecord> rows;
  auto in = vb::FieldReader::fromFile(path);
  if (!in || !in->text())
    return rows;
  while (!in->atEnd() && rows.size() < size_t(kBandPlanRows)) {
    const auto r = nextRecord(*in);
    if (!r)
      break;
    if (r->cls == QLatin1String("E"))
      rows.push_back(*r);
  }
  return rows;
}

std::optional<BandPlan> readBandPlan(const QString &path) {
  auto in = vb::FieldReader::fromFile(path);
  if (!in)
    return std::nullopt;
  const auto date = in->text();
  if (!date)
    return std::nullopt;
  BandPlan plan{*date, {}};
  while (!in->atEnd()) {
    const auto r = nextRecord(*in);
    if (!r || plan.records.size() == size_t(kBandPlanRows))
      return std::nullopt;
    plan.records.push_back(*r);
  }
  return plan;
}

void modeFromBandPlan(const std::vector<BandPlanRecord> &rows, float mhz, QString &mode) {
  for (const BandPlanRecord &r : rows) {
    if (!(mhz > r.low && mhz < r.high))
      continue;
    if (r.band == QLatin1String("160"))
      mode.clear();
    else if (r.mode == QLatin1String("PH"))
      mode = (r.band == QLatin1String("80") || r.band == QLatin1String("60") || r.band == QLatin1String("40"))
                 ? QStringLiteral("LSB")
                 : QStringLiteral("USB");
    else
      mode = r.mode;
    return;
  }
}

QString chartEdge(float mhz) {
  return vb::formatSingle(mhz, QStringLiteral("#,###.##0"));
}

std::vector<ChartLabel> privilegeChart(const std::vector<BandPlanRecord> &records, const QString &cls,
                                       float w, float h, float lineTop) {
  std::vector<ChartLabel> out;
  const auto range = [](const BandPlanRecord &r) {
    return chartEdge(r.low) + QStringLiteral(" - ") + chartEdge(r.high);
  };
  // Bars, first placed one under another from the top.
  std::vector<size_t> bars;
  for (size_t i = 0; i < records.size(); ++i) {
    const BandPlanRecord &o = records[i];
    if (o.cls != QLatin1String("O"))
      continue;
    bool used = false;
    for (size_t j = i + 1; j < records.size() && records[j].band == o.band; ++j)
      used = used || records[j].cls == cls;
    if (!used)
      continue;
    const double n = double(bars.size() + 1);
    out.push_back({ChartLabel::Kind::Bar, QStringLiteral("blbl%1").arg(bars.size() + 1),
                   QRectF(0.1 * w, 0.05 * h * n, 0.85 * w, 0.04 * h), o.band,
                   o.band + QStringLiteral("  ") + range(o)});
    bars.push_back(out.size() - 1);
  }
  if (bars.empty() || bars.size() > 20)
    return out;
  const double pitch = (h - lineTop) / double(bars.size()) * 0.8;
  struct Edges {
    float low, high;
  };
  std::vector<Edges> edges;
  for (size_t k = 0; k < bars.size(); ++k) {
    ChartLabel &bar = out[bars[k]];
    bar.twips.moveTop(lineTop + double(k + 1) * pitch);
    for (const BandPlanRecord &r : records) {
      if (r.band == bar.caption) {
        edges.push_back({r.low, r.high});
        break;
      }
    }
  }
  for (size_t k = 0; k < bars.size(); ++k) {
    const ChartLabel &bar = out[bars[k]];
    out.push_back({ChartLabel::Kind::Tag, QStringLiteral("bnlb%1").arg(k + 1),
                   QRectF(0.04 * w, bar.twips.top(), 0.05 * w, bar.twips.height()), bar.caption,
                   bar.toolTip});
  }
  int m = 0;
  for (const BandPlanRecord &r : records) {
    if (r.cls != cls)
      continue;
    for (size_t k = 0; k < bars.size(); ++k) {
      const QRectF bar = out[bars[k]].twips;
      if (out[bars[k]].caption != r.band)
        continue;
      const double span = double(edges[k].high) - double(edges[k].low);
      if (!(span > 0))
        return out;
      const double left = bar.left() + bar.width() * (double(r.low) - edges[k].low) / span;
      const double width = bar.width() * (double(r.high) - double(r.low)) / span;
      const bool cw = r.mode == QLatin1String("CW");
      out.push_back({ChartLabel::Kind::Segment, QStringLiteral("priv%1").arg(++m),
                     QRectF(left, bar.top(), width, bar.height()), range(r),
                     (cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) + range(r), cw});
    }
  }
  return out;
}
