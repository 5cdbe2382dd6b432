// The rig link as the main window starts it, and the band it hands the main window.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "logging/Bands.h"
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
  if (!band.isEmpty() && !sameBand(band, st().CurrentBand))
    selectBand(band);
}

void Form1::ModeSelection(QString &) {}

// A rig window that was never loaded polls nothing, so there is nothing to tune.
void Form1::ChangeRigFrequency(float frequency) {
  if (ctx.loaded<RigControlfrm>())
    ctx.window<RigControlfrm>().ChangeFrequency(frequency);
}
