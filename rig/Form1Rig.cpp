// The rig link as the main window starts it, and the band it hands the main window.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "rig/RigBands.h"
#include "rig/RigControlfrm.h"
#include "rig/RigSelection.h"

bool rigSelected(const QString &RigType) {
  return RigType.compare(QStringLiteral("None"), Qt::CaseInsensitive) != 0;
}

void Form1::StartRigPolling() {
  ctx.window<RigControlfrm>().Command1_Click();
}

void Form1::BandFreqConversion(float frequencyValue) {
  const QString band = bandForFrequency(frequencyValue);
  if (band.isEmpty() || band.compare(st().CurrentBand, Qt::CaseInsensitive) == 0)
    return;
  static const std::pair<const char *, void (Form1::*)()> kMenu[] = {
      {"160", &Form1::mnu160_Click}, {"80", &Form1::mnu80_Click}, {"40", &Form1::mnu40_Click},
      {"20", &Form1::mnu20_Click},   {"15", &Form1::mnu15_Click}, {"10", &Form1::mnu10_Click},
  };
  for (const auto &[name, handler] : kMenu) {
    if (band == QLatin1String(name))
      (this->*handler)();
  }
}

void Form1::ModeSelection(QString &) {}

// A rig window that was never loaded polls nothing, so there is nothing to tune.
void Form1::ChangeRigFrequency(float frequency) {
  if (ctx.loaded<RigControlfrm>())
    ctx.window<RigControlfrm>().ChangeFrequency(frequency);
}
