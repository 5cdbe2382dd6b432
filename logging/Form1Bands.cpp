// The current band, chosen from the Band menu or the band display, and the refresh rate.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/Bands.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeWidget>

namespace {

void onClick(QWidget *label, std::function<void()> handler) {
  onEvent(label, QEvent::MouseButtonRelease, [handler = std::move(handler)](QEvent *e) {
    if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
      handler();
  });
}

} // namespace

void Form1::buildBandControls(QWidget *central) {
  Label20 = placed<Label>(central, 8460, 5340, 1020, 240, QStringLiteral("Band"));
  Label20->setAlignment(Qt::AlignCenter);
  Label21 = placed<Label>(central, 8460, 5580, 1020, 420, QStringLiteral("160"));
  Label21->setAlignment(Qt::AlignCenter);
  Label21->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QFont big = Label21->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  Label21->setFont(big);
  Label21->setToolTip(QStringLiteral("Click to change band"));
  onClick(Label21, [this] { inTurn([this] { Label21_Click(); }); });
  onClick(lbl160, [this] { inTurn([this] { lbl160_Click(); }); });
}

void Form1::buildBandMenu() {
  mnuBand = menuBar()->addMenu(QStringLiteral("&Band"));
  const auto item = [this](const QString &caption, void (Form1::*handler)()) {
    QAction *a = command(mnuBand, caption, handler);
    a->setCheckable(true);
    return a;
  };
  mnu160 = item(QStringLiteral("1&60"), &Form1::mnu160_Click);
  mnu80 = item(QStringLiteral("&80"), &Form1::mnu80_Click);
  mnu40 = item(QStringLiteral("&40"), &Form1::mnu40_Click);
  mnu20 = item(QStringLiteral("&20"), &Form1::mnu20_Click);
  mnu15 = item(QStringLiteral("1&5"), &Form1::mnu15_Click);
  mnu10 = item(QStringLiteral("&10"), &Form1::mnu10_Click);
  mnuBand->addSeparator();
  mnuPrivileges =
      command(mnuBand, QStringLiteral("&Privileges"), &Form1::mnuPrivileges_Click, CommandKind::OpensWindow);
}

std::array<QAction *, 6> Form1::bandMenuItems() const {
  return {mnu160, mnu80, mnu40, mnu20, mnu15, mnu10};
}

void Form1::BandChange() {
  LoggingState &s = st();
  Label21->setText(s.CurrentBand);
  SavePref();
  const auto items = bandMenuItems();
  for (size_t i = 0; i < items.size(); ++i)
    items[i]->setChecked(sameBand(bandCodes()[static_cast<qsizetype>(i)], s.CurrentBand));
  LabelIncrement();
  if (listsCurrentBandOnly())
    ListDisplay();
  // The controls' own visibility: the window itself may still be hidden during the load.
  if (!txtDX->isHidden() || !lblDX->isHidden()) {
    BandMapScale();
    DisplayBandMapLabels();
  }
  if (!txtCall->text().isEmpty()) {
    txtCntry_Change();
    txtPref_Change();
  }
}

void Form1::selectBand(const QString &band) {
  st().CurrentBand = band;
  BandChange();
}

void Form1::mnu160_Click() {
  selectBand(QStringLiteral("160"));
}
void Form1::mnu80_Click() {
  selectBand(QStringLiteral("80"));
}
void Form1::mnu40_Click() {
  selectBand(QStringLiteral("40"));
}
void Form1::mnu20_Click() {
  selectBand(QStringLiteral("20"));
}
void Form1::mnu15_Click() {
  selectBand(QStringLiteral("15"));
}
void Form1::mnu10_Click() {
  selectBand(QStringLiteral("10"));
}

void Form1::lbl160_Click() {
  mnu160_Click();
}

void Form1::Label21_Click() {
  if (const auto next = nextBand(st().CurrentBand))
    selectBand(*next);
}

void Form1::mnuRefreshrate_Click() {
  const RefreshRateAnswer answer = refreshRateAnswer(ctx.dialogs.input(
      refreshRatePrompt(), QStringLiteral("Refresh Rate Settings"), QString::number(Timer3->interval())));
  switch (answer.outcome) {
  case RefreshRateAnswer::Outcome::Refused:
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("Invalid value."), QStringLiteral("Invalid Value."));
    return;
  case RefreshRateAnswer::Outcome::Ignored:
    return;
  case RefreshRateAnswer::Outcome::Accepted:
    break;
  }
  Timer3->setInterval(answer.intervalMs);
  ctx.prefs.RefreshMs = answer.refreshMs;
  {
    const QScopedValueRollback quiet(prefsReportedByCaller_, true);
    if (SavePref())
      return;
  }
  // A rate that cannot be stored falls back to the slowest one.
  Timer3->setInterval(static_cast<int>(kFallbackRefreshMs));
  ctx.prefs.RefreshMs = kFallbackRefreshMs;
  SavePref();
}
