#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>

namespace files {

QString resolve(const QString &folder, const QString &name) {
  const QDir dir(folder);
  if (QFileInfo::exists(dir.filePath(name)))
    return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString &entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0)
      return dir.filePath(entry);
  }
  return dir.filePath(name);
}

QString firstExisting(const QStringList &folders, const QString &name) {
  QString path;
  for (const QString &folder : folders) {
    path = resolve(folder, name);
    if (QFileInfo::exists(path))
      return path;
  }
  return path;
}

bool exists(const QString &path) {
  return QFileInfo(path).isFile();
}

} // namespace files
