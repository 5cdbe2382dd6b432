#pragma once
// The per-user folders under the documents folder, found or made at start-up. A folder counts
// as present when an entry of its last name exists in any mix of case, file or folder, and the
// path carries on with the name as it stands on disk.

#include <QString>

#include <optional>

class Dialogs;

// The program's folders under the documents folder: the base, and the data and shared folders
// in it. Each begins with "/" as GetDocumentsPath expects.
inline const QString kSoftwareFolder = QStringLiteral("/Q7TLV Software");
inline const QString kDataSubFolder = QStringLiteral("/Orvex Network");
inline const QString kSharedSubFolder = QStringLiteral("/Shared");

// Where this system keeps the user's folders.
struct UserFolders {
  QString profile;   // the home folder; empty when unknown
  QString documents; // the documents folder
  QString appData;   // the application-data folder
};

// $HOME, and the XDG documents and data folders.
UserFolders systemUserFolders();

// `path` with its last level spelled as on disk, or as given when there is no such entry.
QString onDisk(const QString &path);

// Makes the folder `path` (its last level only: the parent must exist) unless it is present.
// An empty path is always reported; a failure to create only with reportFailure 1. Returns
// the path as it stands on disk, or nothing when it is not there afterwards.
std::optional<QString> MakePath(Dialogs &dialogs, const QString &path, int reportFailure);

// Makes sure the documents folder & subFolder and that & subSubFolder exist and returns the
// documents folder & subFolder. Both sub-folders begin with "/". Without a documents folder
// (and no way to make one) the folders go under the profile and under the application-data
// folder, and the latter is returned.
QString GetDocumentsPath(Dialogs &dialogs, const UserFolders &user, const QString &subFolder,
                         const QString &subSubFolder);
