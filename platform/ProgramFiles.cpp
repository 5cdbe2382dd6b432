#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

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

bool sameFile(const QString &a, const QString &b) {
  const QString canonicalA = QFileInfo(a).canonicalFilePath();
  const QString canonicalB = QFileInfo(b).canonicalFilePath();
  if (canonicalA.isEmpty() || canonicalB.isEmpty())
    return false;
  std::error_code ec;
  return canonicalA == canonicalB ||
         std::filesystem::equivalent(QFile::encodeName(canonicalA).toStdString(),
                                     QFile::encodeName(canonicalB).toStdString(), ec);
}

} // namespace files
