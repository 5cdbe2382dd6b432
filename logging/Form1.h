#pragma once
// The main window: the entry row, the status lines, the contact list and the log store's
// timers. Its procedures are public because the other windows call them, as they read and
// write its controls. The procedures are spread over one source file per concern.

#include <QMainWindow>

class AppContext;
class Label;
class QAction;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;
class TextBox;
struct LoggingState;

class Form1 : public QMainWindow {
  Q_OBJECT
public:
  explicit Form1(AppContext &context);
  ~Form1() override;

  AppContext &ctx;

  // Entry row.
  TextBox *txtCall = nullptr;
  TextBox *txtRSTR = nullptr;
  TextBox *txtSec = nullptr;
  TextBox *txtRSTS = nullptr;
  TextBox *txtCntry = nullptr;
  TextBox *txtPref = nullptr;
  TextBox *txtPoints = nullptr;
  TextBox *txtPostConDate = nullptr;
  TextBox *txtPostConTime = nullptr;
  Label *Label4 = nullptr;  // next serial number to send
  Label *Label14 = nullptr; // new multiplier
  Label *Label19 = nullptr; // continent
  Label *Label22 = nullptr; // bearing
  Label *Label23 = nullptr; // distance

  // Status lines.
  Label *lblDialog = nullptr;
  Label *lblDupe = nullptr;

  // Contact list and rates.
  QTreeWidget *ListView1 = nullptr;
  QPushButton *cmdEdit = nullptr;
  QPushButton *cmdDelete = nullptr;
  Label *lblAQSO60 = nullptr;
  Label *lblAQSO20 = nullptr;

  // Score.
  Label *lblScore = nullptr;

  QTimer *Timer1 = nullptr; // rates, every minute
  QTimer *Timer3 = nullptr; // log refresh

  QAction *mnuNew = nullptr;
  QAction *mnuOpen = nullptr;

  // Log store.
  void mnuopen2();
  void Worklist();
  void FileSize();
  void Timer3_Timer();
  void BackupLog();
  void NewLogFile();
  void mnuNew_Click();
  void mnuOpen_Click();
  void OpenLogPrompt();
  void cmdDelete_Click();

  // Logging a contact.
  void Mains();
  void frmcmp();
  void dupcheck();
  void DupeHold();
  void LabelIncrement();
  void Label4_Change();

  // Contact list and rates.
  void ListDisplay();
  void TimeStats();

  // Score and worked prefixes.
  void PreFixLoad();
  void Labeldisplay();
  void PreFixAddCheck();

  // Operating time.
  void cmdLogOn_Click();

  // Preferences file and UTC offset. SavePref reports a file it cannot write and returns
  // false; LoadPref returns false for a missing, short or damaged file.
  bool SavePref();
  bool LoadPref();
  void CheckUTCOffset();

  // Exports for other logging programs.
  QAction *mnuADIF = nullptr;
  QAction *mnuTamblogExport = nullptr;
  void buildExportMenus(QMenu &file);
  void mnuADIF_Click();
  void mnuTamblogExport_Click();

  // Key filters of the entry row, used by other windows too.
  static int Capital(int KeyAscii);

  // Cabrillo entry.
  QAction *mnuWriteSumm = nullptr;
  void mnuWriteSumm_Click();

  // Status line: the text on the normal (teal) or the dupe (red) background.
  void setStatus(const QString &text, bool dupe = false);
  void resetDupeLine();

private:
  LoggingState &st();
  void buildControls();
  void buildMenus();
  void clearEntryRow(bool withPoints);
  void showLoadError();

  bool loading_ = false;
  bool inTick_ = false;
  bool loadErrorShown_ = false;
};
