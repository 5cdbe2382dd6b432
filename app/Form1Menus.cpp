// Menu commands of the main window that open other windows.
#include "logging/Form1.h"

#include "app/AppContext.h"
#include "app/Form5.h"

void Form1::mnuHelp_Click() {
  Form5 &help = ctx.window<Form5>();
  help.Form_Load();
  help.exec();
  ctx.unload<Form5>();
}
