#pragma once
// File names as the program knows them, found on a case-sensitive file system.

#include <QString>
#include <QStringList>

namespace files {

// The entry of `folder` whose name equals `name` without regard to case, or folder/name when
// there is none. Used for reading and writing alike, so a write replaces the existing file
// rather than creating a second one that differs only in case.
QString resolve(const QString &folder, const QString &name);

// The first folder (in order) holding `name`; when none does, the path in the last folder.
QString firstExisting(const QStringList &folders, const QString &name);

bool exists(const QString &path);

// Whether two paths name one existing file, however they are spelt: relative paths, symbolic
// and hard links included. A missing file is never the same as anything.
bool sameFile(const QString &a, const QString &b);

} // namespace files
