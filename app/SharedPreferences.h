#pragma once
// "SharedUserPreferences.xml" in the shared folder: the operator's identity kept as one element
// a line, `<KEY>value</KEY>`, after a declaration line. The whole text is loaded once at
// start-up, changed in memory key by key and written back whole; values are never read back.

#include <QString>

class AppContext;

inline const QString kSharedPreferencesFile = QStringLiteral("SharedUserPreferences.xml");
inline const QString kXmlDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");

class SharedPreferences {
public:
  // Takes the file's text without its final line break. A missing file, one of fewer than two
  // characters or one that cannot be read leaves the declaration alone; the last gives false
  // with the system's description in `error`.
  bool LoadSharedPreferences(const QString &path, QString *error = nullptr);
  // Replaces the value of `tag` (upper-cased) in place or appends a new element; with `save`
  // the file is written. False when that write fails.
  bool SetSharedPreference(const QString &tag, const QString &value, bool save, QString *error = nullptr);
  // Writes the text and a final CR LF to `path`, which later saves then use.
  bool SaveSharedPreferences(const QString &path, QString *error = nullptr);

  const QString &SharedPrefsText() const { return text_; }
  const QString &SharedPrefsPath() const { return path_; }

private:
  QString text_ = kXmlDeclaration;
  QString path_;
};

// Sets one key of the context's shared preferences as station setup and the summary sheet do:
// a file that cannot be written is reported in a message box and the caller goes on.
void setSharedPreference(AppContext &ctx, const QString &tag, const QString &value, bool save);

// The file-name stem of a call sign: its leading run of digits and capital letters A-Z, or
// "YourCall" when that run is empty ("K1ABC/P" gives "K1ABC", "VE3/K1ABC" gives "VE3").
QString CallToFileName(const QString &call);
