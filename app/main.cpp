#include "app/AppContext.h"
#include "app/frmSplash.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/SettingsStore.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  useDesignFont();
  installKeyLayer();
  QtDialogs dialogs;
  SystemClock clock;
  SettingsStore settings;
  AppContext ctx(Folders(), dialogs, clock, settings,
                 std::make_unique<LogDb>(QStringLiteral("LogConnection")));
  ctx.window<frmSplash>().Form_Load();
  return app.exec();
}
