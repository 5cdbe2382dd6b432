#pragma once
// The boxes that tell the operator about a file an export command wrote or could not write.

#include <QDir>
#include <QString>

inline const QString kWriteErrorTitle = QStringLiteral("Unable to write file.");
inline const QString kFileWrittenTitle = QStringLiteral("File Written Successfully.");

// The success box's text up to and including the full stop after the path.
inline QString fileWrittenText(const QString &path) {
  return QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
         QDir::toNativeSeparators(path) + u'.';
}
