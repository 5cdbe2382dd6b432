// Operating time.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "platform/Clock.h"

void Form1::cmdLogOn_Click() {
  st().LoggedOn = 1;
  st().SessionStart = ctx.clock.now();
}
