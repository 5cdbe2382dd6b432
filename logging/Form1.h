#pragma once
// The main window: the entry row, the status lines, the contact list and the log store's
// timers. Its procedures are public because the other windows call them, as they read and
// write its controls. The procedures are spread over one source file per concern.

#include "logging/LogArrays.h"
#include "platform/LogDb.h"
#include "platform/Timer.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class AppContext;
class ContactListView;
class CountryList;
class Label;
class Line;
class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class TextBox;
class WorkedPrefixes;
struct CountryEntry;
struct LoggingState;
enum class KeyTurn;

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
  Label *Label14 = nullptr; // "New": the prefix is a new multiplier
  Label *Label19 = nullptr; // continent
  Label *Label22 = nullptr; // bearing
  Label *Label23 = nullptr; // distance

  // Status lines.
  Label *lblDialog = nullptr;
  Label *lblDupe = nullptr;

  // Contact list and rates.
  ContactListView *ListView1 = nullptr;
  QPushButton *cmdEdit = nullptr;
  QPushButton *cmdDelete = nullptr;
  QPushButton *cmdList = nullptr;  // "Last 20" or "All"
  QPushButton *Command2 = nullptr; // the band filter: "All Bands" or "Current Band"
  QPushButton *cmdDup = nullptr;   // partial dupes "On" or "Off"
  Label *lblAQSO60 = nullptr;
  Label *lblAQSO20 = nullptr;
  QAction *mnuCopyListtoClipboard = nullptr;

  QTimer *Timer1 = nullptr; // rates, every minute
  Timer *Timer3 = nullptr;  // log refresh

  QAction *mnuNew = nullptr;
  QAction *mnuOpen = nullptr;
  QMenu *mnuOptions = nullptr;

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

  // Logging a contact: Mains logs the row's contact and answers whether it went into the log.
  bool Mains();
  // Whether the operator has typed nothing in the entry row.
  bool entryRowEmpty() const;
  void frmcmp();
  void dupcheck();
  void DupeHold();
  void LabelIncrement();
  void Label4_Change();

  // Contact list and rates.
  void ListDisplay();
  void TimeStats();
  void cmdList_Click();
  void Command2_Click();
  void cmdDup_Click();
  void cmdEdit_Click();
  void ListView1_ItemClick();
  void ListView1_GotFocus();
  void ListView1_MouseUp(Qt::MouseButton button);
  void ListView1_ColumnClick(int column);
  void mnuCopyListtoClipboard_Click();

private:
  void buildListControls(QWidget *central);
  // The band filter's state is its caption.
  bool listsCurrentBandOnly() const;
  // Edit and Delete, offered while the list has the focus.
  void showEditButtons(bool visible);

public:
  // Call analysis: WPX prefix, country, beam heading and distance.
  void CallPreFix();
  void CountryLookup();
  void HDCalc(float lat, float lon);
  void txtCntry_KeyPress(int &KeyAscii);
  // Loads the country list from the shared, data or program folder; false (after telling the
  // operator) when the file is malformed. A list missing, unreadable or empty is reported and
  // the table stays empty.
  bool LoadCountryTable();
  // Completes the name typed into `box` (its text up to the caret, then the key) to the last
  // country beginning with it, the completion selected; returns that slot, or 0 when no name
  // begins so and the box is left alone. Station setup's country field types ahead the same way.
  static int completeCountryName(TextBox *box, const CountryList &table, int KeyAscii);

private:
  void connectCallAnalysis();
  // The continent, bearing and distance beside the entry row.
  void showCountryPlace(const CountryEntry &entry);
  void clearCountryPlace();

public:
  // Score and worked prefixes.
  QPlainTextEdit *Text1 = nullptr; // the worked prefixes
  Label *Label10 = nullptr;        // "Counting ..." / "Sorting ..."
  Label *lblTotCon = nullptr;      // contacts
  Label *lblsectogo = nullptr;     // multipliers
  Label *lblTotSec = nullptr;      // QSO points
  Label *lblTotScore = nullptr;    // score
  Label *lbl160 = nullptr;         // "Prefixes Worked - " and the count
  void txtCntry_Change();
  void txtPref_Change();
  // Shows the prefixes a load counted while it read the log (countPrefixes).
  void PreFixLoad(WorkedPrefixes &&counted);
  void PreFixSort2();
  void PreFixAddCheck();
  void PreFixDisplay();
  void Labeldisplay();

private:
  void buildScoreControls(QWidget *central);
  QString shownPrefixes_; // the text Text1 was last given

public:
  // Operating time and clocks.
  QPushButton *cmdLogOn = nullptr;
  Label *lblttrack = nullptr;  // operating time
  Label *lblCurTime = nullptr; // local time on 12 hours
  Label *Label16 = nullptr;    // its AM/PM designator
  Label *lblutctime = nullptr;
  QTimer *Timer2 = nullptr; // the clocks, every second
  void cmdLogOn_Click();
  void Timer2_Timer();

private:
  void buildTimeControls(QWidget *central);

public:
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

  // Key filters of the entry row, used by other windows too: "a" to "z" become "A" to "Z";
  // only the digits and Backspace pass; the call field's own filter.
  static int Capital(int KeyAscii);
  static int number(int KeyAscii);
  static int callKey(int KeyAscii);
  // Text from outside the keyboard as typing it into a field with the key filter `key` would
  // leave it: only the characters the filter lets through as printable Latin-1 characters.
  static QString typedText(const QString &text, int (*key)(int));
  // A call from the RTTY program or a clicked spot as the call field takes it: its first word
  // (blanks before it skipped: space, tab, LF, VT, FF, CR, U+00A0), in capitals, and only what
  // typing could put there.
  static QString outsideCall(const QString &text);

  // Cabrillo entry.
  QAction *mnuWriteSumm = nullptr;
  void mnuWriteSumm_Click();

  // Window layout: the load scales the window to the screen and sets the list columns, then
  // applies the chosen form size and the taskbar layout.
  QTreeWidget *txtDX = nullptr; // spot list
  QMenu *mnuAppearance = nullptr;
  QAction *mnuFormSize = nullptr;
  QAction *mnuTaskbar = nullptr;
  bool ScaleToScreen(); // false when scaling failed part-way
  void AddListColumns();
  bool ApplyFormSize(); // false when its fallback to 100 % could not be saved
  void FitToScreen();
  void mnuFormSize_Click();
  void mnuTaskbar_Click();

  // Load, and the menu commands that open windows.
  QAction *mnuHelp = nullptr;
  QMenu *mnuTransmit = nullptr;
  QAction *mnuCw = nullptr;
  QAction *mnuRigInterface = nullptr;
  QMenu *mnuDXSpottingMenu = nullptr;
  QAction *mnuDXSpotting = nullptr; // Configure
  QAction *mnuSpectrumMap = nullptr;
  QAction *mnuPrivileges = nullptr;
  void Form_Load();
  void mnuHelp_Click();
  void mnuRigInterface_Click();
  void mnuDXSpotting_Click();
  void mnuSpectrumMap_Click();
  void mnuPrivileges_Click();

  // Log maintenance: archive copy and append or restore.
  QAction *mnuArchive = nullptr;
  QAction *mnuCombine = nullptr;
  void buildMaintenanceMenus(QMenu &file);
  void mnuArchive_Click();
  void mnuCombine_Click();
  // QSO-rate graph.
  QAction *mnuGraph = nullptr;
  void buildGraphMenu();
  void mnuGraph_Click();

  // Entry row: the form's view of every key, each field's keys, carries into the next field,
  // default reports, the partial-dupe list, focus and voice prompts. Key handlers take the
  // character code by reference; 0 drops the key.
  Label *lblPostConTime = nullptr;
  Label *lblPostConDate = nullptr;
  QAction *mnuPostContest = nullptr;
  QAction *mnuClear = nullptr;
  void Form_KeyDown(int &KeyCode, int Shift);
  void Form_KeyPress(int &KeyAscii);
  // When a key typed into this window or the CW strings window takes its turn: while a CW
  // message on a key line has still to log the contact in the row ("!"), the keys for the next
  // contact wait until it is logged; a hold that ends any other way drops them with a beep, so
  // that nothing of the next station goes into a contact left unlogged.
  KeyTurn keyTurn(int KeyCode);
  // The one gate of the commands that change the entry row, the band or the log (menu commands,
  // the band label, spot clicks, the RTTY program's call, report and serial): `act` runs in the
  // turn a key typed now would take. While a message holds its log sign it waits in its place
  // among the keys typed meanwhile, so it acts on the next contact, never on the one being
  // thanked, or goes with those keys.
  void inTurn(std::function<void()> act);
  void PartialDupCheck(int KeyAscii);
  void txtCall_Change();
  void txtCall_KeyPress(int &KeyAscii);
  void txtCall_GotFocus();
  void txtCall_LostFocus();
  void txtRSTR_KeyPress(int &KeyAscii);
  void txtSec_KeyPress(int &KeyAscii);
  void txtRSTS_Change();
  void txtRSTS_KeyPress(int &KeyAscii);
  void txtPref_KeyPress(int &KeyAscii);
  void txtPoints_KeyPress(int &KeyAscii);
  // Post-contest entry and clearing the row.
  void mnuPostContest_Click();
  void txtPostConTime_GotFocus();
  void txtPostConTime_KeyPress(int &KeyAscii);
  void txtPostConDate_GotFocus();
  void txtPostConDate_KeyPress(int &KeyAscii);
  void mnuClear_Click();

private:
  void buildPostContestControls(QWidget *central);
  void buildEntryRowMenus();
  void connectEntryRow();
  // Enter logs the contact; Space moves on to `next` (nullptr: the next control in tab order).
  // Either key is dropped.
  void enterOrSpace(int &KeyAscii, TextBox *next);
  void carry(int &KeyAscii, int target, TextBox *to, void (Form1::*receive)(int &));
  void placeCarried(TextBox *field, int KeyAscii);
  void fieldPrompt(const QString &name); // spoken when every field is announced
  // In RTTY with the outside program linked, the call and the report sent go to it as typed.
  bool feedsRttyLink();
  int SuppressKeyPress = 0; // the character of the key going down is swallowed
  // While keys wait for a log sign: the count of log signs passed when the hold began.
  std::optional<int> logSignHoldFrom_;
  // The form's handlers see the keys of every control built so far.
  void previewAllKeys();
  // The Ctrl keys that open windows; true for one of them.
  bool ctrlShortcut(int KeyCode);
  // Any key ends a repeating F1 message.
  void cancelRepeats();
  // CW with a keying method: the arrows set the speed, the function keys send, F12 switches
  // keyboard CW mode.
  void cwKeyDown(int &KeyCode);
  // RTTY with the link up: the key's code goes to the RTTY program, F12 switches keyboard RTTY
  // mode; `suppress` is the key's character suppression.
  void rttyKeyDown(int &KeyCode, int &suppress);
  int KeyboardRTTYMode = 0;
  // Escape in phone while a voice message plays stops it; true then.
  bool escapeStopsVoice();
  // The status line for a keyboard mode switched on or off.
  void showKeyboardMode(bool on, const QString &text);
  // Escape while the WinKey keyer sends: its buffer and the queue are emptied; true then.
  bool escapeStopsWinKey();
  // Backspace in keyboard CW mode takes back the last character not yet sent; true when it did.
  bool takeBackCw();

public:
  // Bands and the refresh rate.
  Label *Label20 = nullptr; // "Band"
  Label *Label21 = nullptr; // the current band; a click steps to the next
  QMenu *mnuBand = nullptr;
  QAction *mnu160 = nullptr;
  QAction *mnu80 = nullptr;
  QAction *mnu40 = nullptr;
  QAction *mnu20 = nullptr;
  QAction *mnu15 = nullptr;
  QAction *mnu10 = nullptr;
  QAction *mnuRefreshrate = nullptr;
  void BandChange();
  void mnu160_Click();
  void mnu80_Click();
  void mnu40_Click();
  void mnu20_Click();
  void mnu15_Click();
  void mnu10_Click();
  void Label21_Click();
  void lbl160_Click();
  void mnuRefreshrate_Click();

  // Station setup.
  Label *Label2 = nullptr; // own call
  QAction *mnuSetup = nullptr;
  void mnuSetup_Click();
  // The link to the outside RTTY program, made when setup asks for it; SendToQ4ZD sends the own
  // call and the serial as shown.
  void ConnectRttyLink();
  void SendToQ4ZD();
  // wave2.txt into the voice keyer window, which it loads hidden; false when missing or damaged.
  bool LoadVoicePrefs();
  // The CW keyer's settings file, read at start into the keyer window; a failure there is quiet.
  void LoadCWPrefs();
  // Closes the players, then releases and closes the key lines, push-to-talk and the WinKey
  // keyer (the program's end).
  void CloseKeyLines();
  // The CW keyer window: modally from the menu, without blocking (normal window state) from the
  // keys; it stays loaded either way.
  void mnuCw_Click();
  void ShowCwKeyer();
  // The voice keyer the same way from the menu; the voice-navigation window beside the main one.
  QAction *mnuVoice = nullptr;
  QAction *mnuBlind = nullptr;
  void mnuVoice_Click();
  void mnuBlind_Click();

  // Band map and spot area: the strip, its drawing and the spot area's layout belong to the
  // spotting side.
  Label *lblDX = nullptr;               // the strip; shown while the band map is the view
  Line *LineDX = nullptr;               // its axis
  std::array<Label *, 5> lblFreqSpot{}; // scale labels, lower end first
  std::array<Label *, 50> lblDXSpot{};  // one per spot-table slot
  void BandMapScale();
  // Redraws the strip's spots; nothing while the strip is hidden.
  void DisplayBandMapLabels();
  void lblDXSpot_MouseMove(int Index);
  void lblDXSpot_MouseDown(int Index, Qt::MouseButton Button);
  void txtDX_Click();
  void txtDX_DblClick();
  void lblDX_Click();
  void lblDX_DblClick();
  // The spot area for the chosen source ("None" gives the room back) and view.
  void layOutSpotArea(const QString &source, bool listChosen);
  // The spectrum map, modal, unloaded when it closes.
  void showSpectrumMap();
  // Lays out the spot area from the DX cluster window's display choice.
  void PacketResize();
  // Takes one spot from the DX cluster window: the own-call warning, the spot table, the band
  // map and the top row of the spot list. The frequency (kHz) becomes its MHz text and the
  // record is cut at its first CR.
  void BandMapSpots(QString &qDXSpotCall, QString &qDXSpotFreq, QString &qDXSpotRecord);
  // Spots in bulk: between these the intake fills the spot table at once, and the band maps and
  // the spot list are brought up to date once, at the end. Batches may nest.
  void beginSpotBatch();
  void endSpotBatch();

  // Rig polling, started by the load unless the rig is "None".
  void StartRigPolling();
  // The rig's frequency selects the contest band it lies in, as the band menu does.
  void BandFreqConversion(float frequencyValue);
  // The rig's mode word is not carried into the log.
  void ModeSelection(QString &strMode);
  // Tunes the rig to a frequency in MHz, a copy of the caller's.
  void ChangeRigFrequency(float frequency);

  // Shut-down. EndProgram ends at once: the operating time is stored, the log closed.
  QAction *mnuExit = nullptr;
  void mnuExit_Click();
  void StoreOperatingTime();
  void EndProgram();

protected:
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  // How the load ended: its last step, or a failure with the message already shown (the country
  // list) or still to show (anything else).
  enum class LoadEnd { Done, DefaultDataFailed, CountryListFailed };
  LoadEnd loadSteps();
  void buildBandControls(QWidget *central);
  void buildBandMapControls(QWidget *central);
  void showStrip(bool shown, bool withSpots);
  bool spotListDoubleClicked_ = false; // the release ending a double click is no click
  int spotBatches_ = 0;
  // The rows of the spots taken since the views were last brought up to date, oldest first, their
  // countries still to look up.
  std::vector<QStringList> unlistedSpots_;
  void showNewSpots();
  void buildSetupControls(QWidget *central);
  void buildBandMenu();
  // The Options menu's commands that open windows, before and after Refresh Rate.
  void buildTransmitMenu();
  void buildWindowMenus();
  std::array<QAction *, 6> bandMenuItems() const;
  void selectBand(const QString &band);
  // While set, SavePref leaves the report of a failure to its caller; every failure is counted.
  bool prefsReportedByCaller_ = false;
  int prefsWriteFailures_ = 0;

public:
  // Status line: the text on the normal (teal) or the dupe (red) background.
  void setStatus(const QString &text, bool dupe = false);
  // The dupe line: empty on the plain background, or the partial dupes on teal.
  void resetDupeLine();
  void showPartialDupes(const QString &list);
  void clearDupeBackground();

private:
  LoggingState &st();
  void buildControls();
  void buildMenus();
  // A menu command, added to `menu` (before `before`, else last). Its handler goes through
  // inTurn; a command that only opens a window opens it at once. A check mark follows what the
  // handler sets, not the click.
  enum class CommandKind { InTurn, OpensWindow };
  QAction *command(QWidget *menu, const QString &caption, void (Form1::*handler)(),
                   CommandKind kind = CommandKind::InTurn, QAction *before = nullptr);
  void clearEntryRow(bool withPoints);
  void showLoadError();
  struct ReadLog;
  // Reads the log whole; may run on the worker.
  static ReadLog readLog(const LogDb::RowReader &reader);
  // The refresh's reload (the tick's, and the one the call field catches up on): the rows are
  // read on the worker and shown here in one step.
  void reloadInBackground();
  // Puts a log just read in place of the in-memory log and shows it, as a load ends; false
  // (the displays left alone) when the read failed.
  bool showLoaded(ReadLog &&read);
  // `work` for the worker, preceded there by letting go of the logs that loads have replaced
  // since the last piece of work.
  std::function<void()> freeingReplacedLogs(std::function<void()> work);
  // Nothing has changed the log, here or on another PC, since the last load read it whole.
  bool loadedLogIsCurrent();

  bool loading_ = false;
  int backgroundLoads_ = 0; // reads under way on the worker
  // Raised by every load and every contact logged here: a read begun before is outdated.
  int loadGeneration_ = 0;
  // The generation and the file's data version of the last load that read the log whole.
  int currentGeneration_ = -1;
  std::optional<qint64> currentVersion_;
  bool inTick_ = false;
  bool loadErrorShown_ = false;
  // The logs loads have replaced, kept until the worker's next piece of work frees them: freeing
  // a large log takes a while, and on the worker right after a load it competed for the
  // allocator with this thread's taking in of the new log.
  std::vector<LogArrays> replacedLogs_;
};
