#include "app/AppContext.h"
#include "keying/VoicePrompts.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QtDialogs dialogs;
  SystemClock clock;
  SettingsStore settings;
  SoundPromptPlayer prompts;
  Folders folders;
  folders.ProgramFolder = QDir::currentPath();
  AppContext ctx(folders, dialogs, clock, settings, prompts,
                 std::make_unique<LogDb>(QStringLiteral("LogConnection")));

  Form1 &form = ctx.window<Form1>();
  form.show();
  ctx.logging.station.LogFilePath = files::resolve(folders.ProgramFolder, QStringLiteral("OrvexLog.MDB"));
  if (!ctx.db().open(ctx.logging.station.LogFilePath))
    ctx.dialogs.message(ctx.db().lastError(), QStringLiteral("Error opening log file"));
  form.Timer3->start();
  form.OpenLogPrompt();
  return app.exec();
}
