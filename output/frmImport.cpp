#include "output/frmImport.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "logging/Form1.h"
#include "output/LogMaintenance.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/LogDb.h"
#include "platform/ProgramFiles.h"
#include "platform/VbText.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

// The hourglass over the window for as long as it lives.
class WaitCursor {
public:
  explicit WaitCursor(QWidget *window) : window_(window) { window_->setCursor(Qt::WaitCursor); }
  ~WaitCursor() { window_->unsetCursor(); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;

private:
  QWidget *window_;
};

} // namespace

frmImport::frmImport(AppContext &context) : QDialog(&context.window<Form1>()), ctx(context) {
  setWindowTitle(QStringLiteral("Append Data or Restore From Backup"));
  const auto note = [this](const QString &text, double top) {
    auto *label = placed<QLabel>(this, 240, top, 5520, 480, text);
    label->setWordWrap(true);
    return label;
  };
  Label2 =
      note(QStringLiteral("This function appends (adds) records to your existing primary data file.  Once "
                          "initiated, it can not be undone."),
           180);
  Label3 =
      note(QStringLiteral("If you wish to clear your primary data file before proceeding, first exit this "
                          "form and click New from the File menu."),
           720);
  Label4 = note(QStringLiteral("Be very careful!  Improper use of this function will render your database "
                               "unuseable!"),
                1260);

  Text1 = placed<TextBox>(this, 240, 1920, 4200, 330);
  Command3 = placed<QPushButton>(this, 4560, 1890, 1200, 390, QStringLiteral("Browse"));
  Check1 = placed<QCheckBox>(this, 240, 2430, 5520, 300,
                             QStringLiteral("Eliminate Duplicates from imported file"));
  Command2 = placed<QPushButton>(this, 1200, 2940, 1400, 450, QStringLiteral("Append"));
  Command1 = placed<QPushButton>(this, 3400, 2940, 1400, 450, QStringLiteral("Done"));
  for (QPushButton *b : {Command1, Command2, Command3})
    b->setAutoDefault(false);
  placeTwips(this, 0, 0, 6000, 3660);

  connect(Command1, &QPushButton::clicked, this, &frmImport::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmImport::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmImport::Command3_Click);
  // Only the operator's click asks; ticking the box again from code must not.
  connect(Check1, &QCheckBox::clicked, this, &frmImport::Check1_Click);
  Check1->setChecked(true);
}

void frmImport::Form_Load() {
  // A window that could not be scaled whole still works at the size it has.
  if (const auto fault = ScreenScaling::CentredCopy(*this, ctx, ScreenScaling::CentredWindow::frmImport))
    ctx.dialogs.message(*fault, QStringLiteral("Form Resize Error"));
}

void frmImport::Command1_Click() {
  hide();
}

void frmImport::Command3_Click() {
  const QString path =
      ctx.dialogs.openFile(QStringLiteral("Open"), ctx.folders.DataFolder + QStringLiteral("/BACKUP"),
                           QStringLiteral("Backup or log (*.DAT *.dat *.Dat *.MDB *.mdb *.Mdb)"));
  if (path.isEmpty())
    return;
  Text1->setText(path);
  Command2->setFocus();
}

void frmImport::Check1_Click(bool ticked) {
  if (ticked)
    return;
  const auto answer = ctx.dialogs.message(
      QStringLiteral("Are you sure?  Once imported, duplicates can only be removed manually and will not be "
                     "identified by the program."),
      QStringLiteral("Are you sure"), Dialogs::Buttons::YesNo);
  if (answer == Dialogs::Answer::Yes)
    return;
  Check1->setChecked(true);
  Check1->setFocus();
}

void frmImport::Command2_Click() {
  LoggingState &s = ctx.logging;
  s.DupeFlag = 0;
  s.BackupTickCount = 0;
  const QString source = Text1->text().trimmed();
  // The same file under another spelling (a relative path, a link) would double the log.
  if (source.compare(s.station.LogFilePath, Qt::CaseInsensitive) == 0 ||
      files::sameFile(source, s.station.LogFilePath) || files::sameFile(source, ctx.db().path())) {
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("You can not append the same file onto itself."),
                        QStringLiteral("Invalid Request!"));
    return;
  }
  bool ok = false;
  {
    const WaitCursor wait(this);
    ok = appendSource(source);
    if (ok)
      ctx.window<Form1>().Worklist();
    Command1->setFocus();
  }
  if (!ok) {
    ctx.dialogs.beep();
    ctx.dialogs.message(QStringLiteral("Unable to read file."), QStringLiteral("Append Error"));
  }
}

bool frmImport::appendSource(const QString &path) {
  std::vector<ContactRecord> records;
  bool complete = true;
  if (isLogDatabasePath(path)) {
    LogDb source(QStringLiteral("orvex-append-%1").arg(reinterpret_cast<quintptr>(this)));
    if (!source.open(path) || !source.loadInTableOrder([&records](const ContactRecord &r) {
          records.push_back(r);
          return true;
        }))
      return false;
  } else {
    const auto content = vb::readLatin1(path);
    if (!content)
      return false;
    BackupContents backup = readBackup(*content);
    records = std::move(backup.records);
    complete = backup.complete;
  }
  return appendContacts(ctx.db(), records, Check1->isChecked()) && complete;
}
