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

namespace {
constexpr int kSpotListRows = 200;
}

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
  DisplayBandMapLabels();
  // The spectrum map only while it is open: it draws the whole table when it next shows.
  if (ctx.loaded<SpectrumMap>() && !ctx.window<SpectrumMap>().isHidden())
    ctx.window<SpectrumMap>().BandMapLabelDisplay();
  if (txtDX->topLevelItemCount() >= kSpotListRows)
    delete txtDX->takeTopLevelItem(kSpotListRows - 1);
  const QString country = countryForDXSpot(ctx.logging.CountryTable, qDXSpotCall);
  txtDX->insertTopLevelItem(
      0, new QTreeWidgetItem(spotListRow(qDXSpotCall, qDXSpotFreq, country,
                                         ctx.spotting.SpotTable[SpottingState::kNewest].SpotStatus,
                                         qDXSpotRecord)));
}
