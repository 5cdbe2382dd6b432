// The main window's spot intake: every spot the DX cluster window accepts ends here.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "spotting/CountryForDXSpot.h"
#include "spotting/SpectrumMap.h"
#include "spotting/SpotTable.h"

#include <QTreeWidget>

#include <algorithm>

namespace {
constexpr int kSpotListRows = 200;
constexpr int kCountryColumn = 2;
} // namespace

void Form1::BandMapSpots(QString &qDXSpotCall, QString &qDXSpotFreq, QString &qDXSpotRecord) {
  // With no own call set up, an empty call (a line too short to carry one) is nobody's.
  const QString &myCall = ctx.logging.station.MyCall;
  if (!myCall.isEmpty() && qDXSpotCall.compare(myCall, Qt::CaseInsensitive) == 0) {
    ctx.dialogs.beep();
    lblDialog->setText(QStringLiteral("You've been spotted! "));
    setBackColor(lblDialog, Qt::white);
    lblDupe->setText(QStringLiteral("You've been spotted!  ") + qDXSpotRecord);
    setBackColor(lblDupe, Qt::white);
  }
  const auto frequency = spotFrequency(qDXSpotFreq);
  if (!frequency)
    return;
  qDXSpotRecord = cutRecord(qDXSpotRecord);
  qDXSpotFreq = frequency->text;
  storeSpot(ctx.spotting, qDXSpotCall, static_cast<float>(frequency->mhz), ctx.clock.now());
  unlistedSpots_.push_back(spotListRow(qDXSpotCall, qDXSpotFreq, QString(),
                                       ctx.spotting.SpotTable[SpottingState::kNewest].SpotStatus,
                                       qDXSpotRecord));
  if (spotBatches_ == 0)
    showNewSpots();
}

void Form1::beginSpotBatch() {
  ++spotBatches_;
}

void Form1::endSpotBatch() {
  if (--spotBatches_ == 0 && !unlistedSpots_.empty())
    showNewSpots();
}

void Form1::showNewSpots() {
  DisplayBandMapLabels();
  // The spectrum map only while it is open: it draws the whole table when it next shows.
  if (ctx.loaded<SpectrumMap>() && !ctx.window<SpectrumMap>().isHidden())
    ctx.window<SpectrumMap>().BandMapLabelDisplay();
  // Rows pushed out by later spots of the same batch are never made; the rest go in newest first.
  const auto listed = std::min<std::size_t>(unlistedSpots_.size(), kSpotListRows);
  while (txtDX->topLevelItemCount() > kSpotListRows - static_cast<int>(listed))
    delete txtDX->takeTopLevelItem(txtDX->topLevelItemCount() - 1);
  QList<QTreeWidgetItem *> rows;
  for (auto row = unlistedSpots_.rbegin(); row != unlistedSpots_.rbegin() + listed; ++row) {
    (*row)[kCountryColumn] = countryForDXSpot(ctx.logging.CountryTable, row->front());
    rows << new QTreeWidgetItem(*row);
  }
  txtDX->insertTopLevelItems(0, rows);
  unlistedSpots_.clear();
}
