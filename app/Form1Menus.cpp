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
  mnuCw = command(mnuTransmit, QStringLiteral("&CW"), &Form1::mnuCw_Click, CommandKind::OpensWindow);
  mnuVoice = command(mnuTransmit, QStringLiteral("&Voice"), &Form1::mnuVoice_Click, CommandKind::OpensWindow);
  mnuOptions->addSeparator();
}

void Form1::buildWindowMenus() {
  mnuOptions->addSeparator();
  mnuRigInterface = command(mnuOptions, QStringLiteral("Rig &Interface"), &Form1::mnuRigInterface_Click,
                            CommandKind::OpensWindow);
  mnuOptions->addSeparator();
  mnuDXSpottingMenu = mnuOptions->addMenu(QStringLiteral("&DX Spotting"));
  mnuDXSpotting = command(mnuDXSpottingMenu, QStringLiteral("&Configure"), &Form1::mnuDXSpotting_Click,
                          CommandKind::OpensWindow);
  mnuSpectrumMap = command(mnuDXSpottingMenu, QStringLiteral("&View Spectrum Map"),
                           &Form1::mnuSpectrumMap_Click, CommandKind::OpensWindow);
  mnuOptions->addSeparator();
  mnuBlind = command(mnuOptions, QStringLiteral("&Voice Navigation"), &Form1::mnuBlind_Click,
                     CommandKind::OpensWindow);
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
