// Menu commands of the main window that open other windows.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/Form5.h"
#include "app/WindowShowing.h"
#include "rig/RigControlfrm.h"
#include "rig/frmBandPlan.h"
#include "spotting/PacketSpotfrm.h"

#include <QMenu>

void Form1::buildTransmitMenu() {
  mnuTransmit = mnuOptions->addMenu(QStringLiteral("&Transmit"));
  mnuCw = mnuTransmit->addAction(QStringLiteral("&CW"), this, &Form1::mnuCw_Click);
  mnuVoice = mnuTransmit->addAction(QStringLiteral("&Voice"), this, &Form1::mnuVoice_Click);
  mnuOptions->addSeparator();
}

void Form1::buildWindowMenus() {
  mnuOptions->addSeparator();
  mnuRigInterface =
      mnuOptions->addAction(QStringLiteral("Rig &Interface"), this, &Form1::mnuRigInterface_Click);
  mnuOptions->addSeparator();
  mnuDXSpottingMenu = mnuOptions->addMenu(QStringLiteral("&DX Spotting"));
  mnuDXSpotting =
      mnuDXSpottingMenu->addAction(QStringLiteral("&Configure"), this, &Form1::mnuDXSpotting_Click);
  mnuSpectrumMap =
      mnuDXSpottingMenu->addAction(QStringLiteral("&View Spectrum Map"), this, &Form1::mnuSpectrumMap_Click);
  mnuOptions->addSeparator();
  mnuBlind = mnuOptions->addAction(QStringLiteral("&Voice Navigation"), this, &Form1::mnuBlind_Click);
}

void Form1::mnuHelp_Click() {
  showModalFresh<Form5>(ctx);
}

void Form1::mnuRigInterface_Click() {
  showBeside(ctx.window<RigControlfrm>(), false);
}

void Form1::mnuDXSpotting_Click() {
  // A preferences file that cannot be written is reported there; the window opens all the same.
  SavePref();
  showBeside(ctx.window<PacketSpotfrm>(), false);
}

void Form1::mnuSpectrumMap_Click() {
  showSpectrumMap();
}

void Form1::mnuPrivileges_Click() {
  showModalFresh<frmBandPlan>(ctx);
}
