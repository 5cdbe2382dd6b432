// The main window's band-map strip, its mouse and the spot list's clicks, and the spot area
// that holds either of them.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/VbText.h"
#include "rig/RigSelection.h"
#include "spotting/PacketSpotfrm.h"
#include "spotting/SpectrumMap.h"
#include "spotting/SpotArea.h"
#include "spotting/SpotLabels.h"

#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

const QColor kStrip(0, 0, 128);
constexpr float kLabelWidth = 600;
constexpr float kLabelHeight = 240;

} // namespace

void Form1::buildBandMapControls(QWidget *central) {
  lblDX = placed<Label>(central, 120, 4440, 9360, 300);
  lblDX->setFrameStyle(QFrame::Box);
  setBackColor(lblDX, kStrip);
  lblDX->hide();
  // A double click clicks first: the cluster window shows, then the spectrum map.
  onEvent(lblDX, QEvent::MouseButtonPress, [this](QEvent *) { lblDX_Click(); });
  onEvent(lblDX, QEvent::MouseButtonDblClick, [this](QEvent *) { lblDX_DblClick(); });
  LineDX = new Line(central);
  LineDX->setBorderColor(Qt::white);
  LineDX->setEnds(120, 4590, 9480, 4590);
  LineDX->hide();
  for (Label *&label : lblFreqSpot)
    label = bandmap::makeMapLabel(central, kLabelWidth, kLabelHeight, Qt::white);
  for (int i = 0; i < int(lblDXSpot.size()); ++i)
    lblDXSpot[std::size_t(i)] = bandmap::makeSpotLabel(
        central, kLabelWidth, kLabelHeight, [this, i](Qt::MouseButton b) { lblDXSpot_MouseDown(i, b); },
        [this, i] { lblDXSpot_MouseMove(i); });

  QWidget *rows = txtDX->viewport();
  onEvent(rows, QEvent::MouseButtonRelease, [this](QEvent *) {
    if (!std::exchange(spotListDoubleClicked_, false))
      txtDX_Click();
  });
  onEvent(rows, QEvent::MouseButtonDblClick, [this](QEvent *) {
    spotListDoubleClicked_ = true;
    txtDX_DblClick();
  });
}

void Form1::BandMapScale() {
  const auto &table = ctx.spotting.SpotTable;
  const bandmap::Range range = bandmap::mainScaleRange(bandmap::frequencies(table), st().CurrentBand);
  const auto captions = bandmap::scaleCaptions(range.lower, range.upper);
  for (std::size_t i = 0; i < captions.size(); ++i)
    lblFreqSpot[i]->setText(captions[i]);
}

void Form1::DisplayBandMapLabels() {
  if (lblDX->isHidden())
    return;
  for (Label *label : lblDXSpot)
    label->hide();
  BandMapScale();
  const QSizeF label = twipsRect(lblDXSpot[0]).size();
  const auto plans = bandmap::planStrip(
      ctx.spotting.SpotTable, {LineDX->X1(), LineDX->X2(), LineDX->Y1()},
      bandmap::captionValue(lblFreqSpot[0]->text()), bandmap::captionValue(lblFreqSpot[4]->text()),
      {float(label.width()), float(label.height())}, bandmap::axisGap(float(twipsRect(this).height())),
      ctx.clock.now(), st().station.UtcOffsetHours);
  for (const bandmap::LabelPlan &plan : plans)
    bandmap::applyPlan(lblDXSpot[std::size_t(plan.slot)], plan);
}

void Form1::lblDXSpot_MouseMove(int Index) {
  lblDupe->setText(lblDXSpot[std::size_t(Index)]->toolTip());
}

void Form1::lblDXSpot_MouseDown(int Index, Qt::MouseButton Button) {
  SpotSlot &spot = ctx.spotting.SpotTable[std::size_t(Index)];
  if (Button != Qt::RightButton) {
    spot.SpotFreq = 0;
    DisplayBandMapLabels();
    return;
  }
  inTurn([this, frequency = spot.SpotFreq, call = spot.SpotCall] {
    ChangeRigFrequency(frequency);
    txtCall->setFocus();
    txtCall->setText(outsideCall(call));
    // On from the call box as Tab goes: its leave handling checks the dupe and fills the reports.
    focusNextChild();
  });
}

void Form1::txtDX_Click() {
  // The row clicked as it stood then (none: no call, no frequency): new spots may push it down
  // the list before the click's turn comes.
  const QList<QTreeWidgetItem *> selected = txtDX->selectedItems();
  const QTreeWidgetItem *row = selected.isEmpty() ? nullptr : selected.front();
  inTurn([this, call = row ? row->text(0) : QString(), frequency = row ? row->text(1) : QString()] {
    txtCall->setFocus();
    if (!vb::isNumeric(frequency))
      return;
    if (rigSelected(ctx.prefs.RigType))
      ChangeRigFrequency(QLocale::c().toFloat(frequency.trimmed()));
    txtCall->setFocus();
    txtCall->setText(outsideCall(call));
  });
}

void Form1::txtDX_DblClick() {
  showSpectrumMap();
}

void Form1::lblDX_DblClick() {
  showSpectrumMap();
}

void Form1::lblDX_Click() {
  QDir::setCurrent(ctx.folders.ProgramFolder);
  PacketSpotfrm &spotting = ctx.window<PacketSpotfrm>();
  spotting.show();
  spotting.raise();
  spotting.activateWindow();
}

void Form1::showSpectrumMap() {
  SpectrumMap &map = ctx.window<SpectrumMap>();
  map.Form_Load();
  map.exec();
  ctx.unload<SpectrumMap>();
}

void Form1::showStrip(bool shown, bool withSpots) {
  lblDX->setVisible(shown);
  LineDX->setVisible(shown);
  for (Label *label : lblFreqSpot)
    label->setVisible(shown);
  if (withSpots)
    for (Label *label : lblDXSpot)
      label->setVisible(shown);
}

void Form1::layOutSpotArea(const QString &source, bool listChosen) {
  if (!txtDX->isHidden() && !listChosen) {
    txtDX->hide();
    showStrip(true, true);
  } else if (!lblDX->isHidden() && listChosen) {
    txtDX->show();
    showStrip(false, true);
  }
  const bool none = source.compare(QStringLiteral("None"), Qt::CaseInsensitive) == 0;
  const bool shown = !txtDX->isHidden() || !lblDX->isHidden();
  if (none == !shown)
    return;
  ScreenScaling::FormLayout layout(*this);
  spotarea::Controls area{layout.control(txtDX), layout.control(lblDX), layout.control(LineDX), {}, {}};
  for (std::size_t i = 0; i < lblFreqSpot.size(); ++i)
    area.scaleLabels[i] = layout.control(lblFreqSpot[i]);
  for (Label *label : lblDXSpot)
    area.spotLabels.push_back(layout.control(label));
  if (none) {
    spotarea::close(layout.model, area);
    layout.apply();
    txtDX->hide();
    showStrip(false, true);
    return;
  }
  const bool room = spotarea::open(layout.model, area);
  layout.apply();
  if (!room)
    return;
  BandMapScale();
  txtDX->setVisible(listChosen);
  showStrip(!listChosen, listChosen);
}

void Form1::PacketResize() {
  const PacketSpotfrm &spotting = ctx.window<PacketSpotfrm>();
  const QListWidgetItem *source = spotting.List1->currentItem();
  layOutSpotArea(source ? source->text() : QString(), spotting.OptList->isChecked());
}
