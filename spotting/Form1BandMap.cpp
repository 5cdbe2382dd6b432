// The main window's band-map strip. The spot table and its drawing come with the DX cluster
// client; until then the strip stays hidden and there is nothing to draw on it.
#include "logging/Form1.h"

#include "platform/Controls.h"

void Form1::buildBandMapControls(QWidget *central) {
  lblDX = placed<Label>(central, 120, 4440, 9360, 300);
  lblDX->setFrameStyle(QFrame::Box);
  lblDX->hide();
}

void Form1::RefreshBandMap() {}

void Form1::BandMapScale() {}

void Form1::DisplayBandMapLabels() {}

// Filled by the spot area's layout.
void Form1::PacketResize() {}
