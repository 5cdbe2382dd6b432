#pragma once
// " WinKey Setup": opens and closes the WinKey keyer, sends it its settings, keeps them in
// WK.txt, and drains the CW queue into the keyer. Loaded hidden when WinKey becomes the keying
// method, shown modally from the CW settings window, hidden by Done or the close box, unloaded
// only at the program's end.

#include <QDialog>

#include <array>
#include <cstdint>
#include <utility>

class AppContext;
class QLabel;
class QPushButton;
class QRadioButton;
class TextBox;
class WinKey;
struct WinKeyFileSettings;

class frmWinKey : public QDialog {
  Q_OBJECT
public:
  explicit frmWinKey(AppContext &context);
  ~frmWinKey() override;

  AppContext &ctx;

  TextBox *txtWKComPort = nullptr;
  TextBox *txtWKWPM = nullptr;
  TextBox *txtWeight = nullptr;
  TextBox *txtLeadIn = nullptr;
  TextBox *txtTail = nullptr;
  TextBox *txtRatio = nullptr;
  TextBox *Text1 = nullptr; // type to send
  QRadioButton *optIambicA = nullptr;
  QRadioButton *optIambicB = nullptr;
  QRadioButton *optUltimatic = nullptr;
  QRadioButton *optBug = nullptr;
  QRadioButton *optKey5Out3Off = nullptr;
  QRadioButton *optKey5Off3Out = nullptr;
  QRadioButton *optTone = nullptr;
  QRadioButton *optPTT = nullptr;
  QPushButton *cmdOpenWinkey = nullptr;
  QPushButton *cmdCloseWinkey = nullptr;
  QPushButton *cmdStop = nullptr;
  QPushButton *Command1 = nullptr; // Buffer Test
  QPushButton *Command2 = nullptr; // Defaults Test, no action
  QPushButton *Command3 = nullptr; // Test
  QPushButton *cmdDone = nullptr;
  QLabel *lblOpenStatus = nullptr;
  QLabel *lblVersion = nullptr;

  // The options with the values they stand for.
  std::array<std::pair<QRadioButton *, int>, 4> modeOptions() const;
  std::array<std::pair<QRadioButton *, int>, 4> pinOptions() const;

  void cmdCloseWinkey_Click();
  void cmdOpenWinkey_Click();
  // Hands the CW queue to the keyer character by character, waiting while the keyer is busy.
  void WKTransmit();

  void Form_Load();
  void Form_Unload();
  void cmdStop_Click();
  void cmdDone_Click();
  void Command1_Click();
  void Command3_Click();
  void Text1_KeyPress(int &KeyAscii);
  void txtWKComPort_LostFocus();
  void txtWKWPM_LostFocus();
  void txtWeight_LostFocus();
  void txtLeadIn_LostFocus();
  void txtTail_LostFocus();
  void txtRatio_LostFocus();

private:
  void buildControls();
  void ApplyWinKeySettings();
  // What WK.txt keeps: the value boxes and the keying state's port, pins and mode.
  WinKeyFileSettings fileSettings() const;
  void optionClicked(int &setting, int value);
  // Lead-in and tail are checked together; the box that lost the focus takes the corrected text.
  void leadTailLostFocus(TextBox &left);
  // Appends to the CW queue; a queue that was empty starts a drain, else the running one takes it.
  void queueText(const QString &text);
  WinKey &wk();
};
