#include "app/frmSplash.h"

#include "app/AppContext.h"
#include "app/DocumentFolders.h"
#include "app/ScreenScaling.h"
#include "app/frmQ7TLVLogo.h"
#include "logging/Form1.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFiles.h"

#include <QDir>

frmSplash::frmSplash(AppContext &context) : ctx(context) {}

void frmSplash::Form_Load() {
  Folders &f = ctx.folders;
  f.ProgramFolder = QDir::currentPath();
  f.ProgramDrive = f.ProgramFolder.left(1);

  frmQ7TLVLogo &logo = ctx.window<frmQ7TLVLogo>();
  logo.Form_Load();
  logo.exec();
  ScreenScaling::ResizeForm(*this, ctx);

  const UserFolders user = systemUserFolders();
  GetDocumentsPath(ctx.dialogs, user, kSoftwareFolder, kDataSubFolder);
  const QString base = GetDocumentsPath(ctx.dialogs, user, kSoftwareFolder, kSharedSubFolder);
  f.SharedFolder = onDisk(base + kSharedSubFolder);
  f.DataFolder = onDisk(base + kDataSubFolder);

  // The program starts even when the file cannot be read: its keys are written again whole.
  const QString xml = files::resolve(f.SharedFolder, kSharedPreferencesFile);
  QString error;
  if (!ctx.sharedPrefs.LoadSharedPreferences(xml, &error))
    ctx.dialogs.message(error + QStringLiteral("  ") + xml,
                        QStringLiteral("Unable to read shared preferences."));

  MakePath(ctx.dialogs, f.DataFolder + QStringLiteral("/BACKUP"), 0);

  Form1 &main = ctx.window<Form1>();
  main.Form_Load();
  main.show();
  ctx.unload<frmSplash>();
}
