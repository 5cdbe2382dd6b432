// What the main window asks of the keyers at start and in station setup.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "keying/KeyerSettings.h"

void Form1::LoadCWPrefs() {
  // A missing or damaged file leaves the keyer's defaults for what was not read, without a word.
  loadCwKeyerSettings(ctx.folders.ProgramFolder, ctx.keying);
}

// The RTTY program link is made here once the link itself exists; until then it stays down.
void Form1::ConnectRttyLink() {
  ctx.keying.Q4ZDLinkOn = 0;
}
