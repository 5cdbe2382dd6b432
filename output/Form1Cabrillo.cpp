#include "app/AppContext.h"
#include "logging/Form1.h"
#include "output/Form2.h"

void Form1::mnuWriteSumm_Click() {
  // Reload first so that the entry holds every PC's contacts.
  Worklist();
  // A log that did not load whole would go out as the whole entry, with a wrong claimed score.
  if (ctx.logging.LogStale)
    return;
  ctx.window<Form2>().exec();
  ctx.unload<Form2>();
}
