#pragma once

#include <QString>
#include <QStringList>

// The program's folders, set once at start.
struct Folders {
  QString ProgramFolder;
  QString ProgramDrive;
  QString DataFolder;
  QString SharedFolder;

  // Where data tables are looked for, in order: the shared folder, the data folder, the
  // program folder (folders not set are passed over).
  QStringList dataTableFolders() const {
    QStringList folders;
    for (const QString &folder : {SharedFolder, DataFolder, ProgramFolder}) {
      if (!folder.isEmpty())
        folders << folder;
    }
    return folders;
  }
};
