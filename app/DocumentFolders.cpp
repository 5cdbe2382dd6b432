#include "app/DocumentFolders.h"

#include "platform/Dialogs.h"

#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace {

struct Lookup {
  std::optional<QString> path; // the entry, as spelled on disk
  QString error;               // the system's description when the parent cannot be listed
};

Lookup lookUp(const QString &path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  const QString name = path.mid(slash + 1);
  const QString parent = slash < 0    ? QStringLiteral(".")
                         : slash == 0 ? QStringLiteral("/")
                                      : path.left(slash);
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::path(path.toStdString()), ec))
    return {path, {}};
  std::filesystem::directory_iterator it(parent.toStdString(), ec);
  if (ec) {
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
      return {};
    return {std::nullopt, QString::fromStdString(ec.message())};
  }
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const QString entry = QString::fromStdString(it->path().filename().string());
    if (entry.compare(name, Qt::CaseInsensitive) == 0)
      return {path.left(slash + 1) + entry, {}};
  }
  if (ec)
    return {std::nullopt, QString::fromStdString(ec.message())};
  return {};
}

// Makes the folder `path` that `found` did not find. An empty path is always reported; any other
// failure (the lookup's own included) with reportFailure 1.
std::optional<QString> create(Dialogs &dialogs, const QString &path, const Lookup &found, int reportFailure) {
  if (path.isEmpty()) {
    dialogs.message(QStringLiteral("Invalid Path"), QStringLiteral("Unable to Create Directory"));
    return std::nullopt;
  }
  QString failure = found.error;
  if (failure.isEmpty()) {
    std::error_code ec;
    std::filesystem::create_directory(path.toStdString(), ec);
    if (!ec)
      return path;
    failure = QString::fromStdString(ec.message());
  }
  if (reportFailure == 1)
    dialogs.message(failure + QStringLiteral("  ") + path, QStringLiteral("Unable to create directory."));
  return std::nullopt;
}

// The folder as it stands, made when missing; a folder that cannot be listed is reported and
// the making goes on.
std::optional<QString> ensure(Dialogs &dialogs, const QString &path, int reportFailure) {
  const Lookup found = lookUp(path);
  if (found.path)
    return found.path;
  if (!found.error.isEmpty())
    dialogs.message(found.error, QStringLiteral("User Access Directory Error"));
  return create(dialogs, path, found, reportFailure);
}

QString ensureBoth(Dialogs &dialogs, const QString &folder, const QString &subFolder,
                   const QString &subSubFolder) {
  const QString base = ensure(dialogs, folder + subFolder, 1).value_or(folder + subFolder);
  ensure(dialogs, base + subSubFolder, 1);
  return base;
}

} // namespace

UserFolders systemUserFolders() {
  return {qEnvironmentVariable("HOME"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)};
}

QString onDisk(const QString &path) {
  return lookUp(path).path.value_or(path);
}

std::optional<QString> MakePath(Dialogs &dialogs, const QString &path, int reportFailure) {
  const Lookup found = lookUp(path);
  if (found.path)
    return found.path;
  return create(dialogs, path, found, reportFailure);
}

QString GetDocumentsPath(Dialogs &dialogs, const UserFolders &user, const QString &subFolder,
                         const QString &subSubFolder) {
  if (user.profile.isEmpty()) {
    // No home: the application-data folder stands in for the documents folder.
    const QString documents = ensure(dialogs, user.appData, 1).value_or(user.appData);
    return ensureBoth(dialogs, documents, subFolder, subSubFolder);
  }
  if (const auto documents = ensure(dialogs, user.documents, 0))
    return ensureBoth(dialogs, *documents, subFolder, subSubFolder);
  ensureBoth(dialogs, user.profile, subFolder, subSubFolder);
  return ensureBoth(dialogs, user.appData, subFolder, subSubFolder);
}
