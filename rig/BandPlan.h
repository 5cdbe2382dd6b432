#pragma once
// The band plan "BandPlan.txt": the date it is in force from, then records of band, licence
// class ("O" is the band's outline), mode word and edges in MHz. The rig link keeps the Extra
// rows to pick the mode it tunes to; the privileges chart draws the rows of one class.

#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

inline const QString kBandPlanFile = QStringLiteral("BandPlan.txt");
inline constexpr int kBandPlanRows = 200;

struct BandPlanRecord {
  QString band;
  QString cls;
  QString mode;
  float low = 0;
  float high = 0;
};

struct BandPlan {
  QString date;
  std::vector<BandPlanRecord> records;
};

// The class "E" rows in file order, at most 200 (reading stops at the 200th); only complete
// records count. A missing file gives none.
std::vector<BandPlanRecord> loadExtraRows(const QString &path);
// Every record, for the chart; nothing for a missing or unreadable file, an incomplete record
// or a 201st record.
std::optional<BandPlan> readBandPlan(const QString &path);

// The mode to tune to at `mhz`: the first row with low < mhz < high decides; on 160 m no mode
// (empty), phone is "LSB" on 80, 60 and 40 m and "USB" elsewhere, other words pass unchanged.
// With no such row `mode` is left as it was.
void modeFromBandPlan(const std::vector<BandPlanRecord> &rows, float mhz, QString &mode);

// One label of the privileges chart: a band bar ("blbl"n), its name tag ("bnlb"k) or a segment
// ("priv"m), placed in twips of the window.
struct ChartLabel {
  enum class Kind { Bar, Tag, Segment };
  Kind kind = Kind::Bar;
  QString name;
  QRectF twips;
  QString caption;
  QString toolTip;
  bool cw = false; // segments: a CW segment, else phone
};

// The chart of class `cls` for a window of outer size w x h twips whose separator line lies at
// `lineTop`: a bar for each band outline followed by rows of the class, re-laid out below the
// line, a tag beside each, and the segments on their bars. The drawing stops at a 21st bar or a
// band outline without width; what was made before stays.
std::vector<ChartLabel> privilegeChart(const std::vector<BandPlanRecord> &records, const QString &cls,
                                       float w, float h, float lineTop);

// "#,###.##0": a chart edge ("3.500").
QString chartEdge(float mhz);
