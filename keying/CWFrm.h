#pragma once
// The CW keyer: its settings window "CW String Selections", whose controls are the live
// settings, the send queue's drain and the Morse transmitter on a serial or printer-port key
// line. Loaded on first use and kept, hidden, until the program ends.

#include "keying/KeyLines.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class AppContext;
class Form1;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SerialKeyLine;
class TextBox;
class Timer;
struct CwKeyerSettings;

class CWFrm : public QDialog {
  Q_OBJECT
public:
  explicit CWFrm(AppContext &context);
  ~CWFrm() override;

  AppContext &ctx;

  TextBox *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr, *Text5 = nullptr,
          *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr, *Text9 = nullptr;
  TextBox *Text12 = nullptr; // F10
  TextBox *Text13 = nullptr; // F11
  TextBox *Text10 = nullptr; // serial port number, 0 for none
  TextBox *Text14 = nullptr; // printer port base address
  TextBox *Text11 = nullptr; // words per minute
  TextBox *txtSpace = nullptr;
  TextBox *txtCWLoop = nullptr; // F1 repeat delay in seconds
  QCheckBox *Check1 = nullptr;  // echo of the unsent text
  QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr,
               *Option5 = nullptr; // RTS, DTR, Printer, None, WinKey
  QPushButton *cmdConfWinkey = nullptr;
  QRadioButton *optTimer = nullptr, *OptSleep = nullptr, *optLoop = nullptr;
  TextBox *txtLoop = nullptr;
  QLabel *lblLoop = nullptr;
  QPushButton *cmdLoopFaster = nullptr, *cmdLoopSlower = nullptr;
  QPushButton *Command1 = nullptr;                      // Done
  QPushButton *Command2 = nullptr, *Command3 = nullptr; // Faster, Slower
  QPushButton *Command4 = nullptr;                      // Test
  QPushButton *Command5 = nullptr, *Command6 = nullptr; // Less, More
  QPushButton *Command7 = nullptr;                      // Send Code Practice
  QLabel *Label23 = nullptr;                            // "Sending!"
  Timer *tmrRepeat = nullptr;
  std::unique_ptr<SerialKeyLine> Comm;
  // Empty-loop passes that take 60 ms (one unit at 20 WPM), for the Loop timing.
  double LoopsPer60ms = 0;

  // The message boxes of F1 to F11.
  std::array<TextBox *, 11> messageBoxes() const;

  // The settings file's values into the controls (what the read did not reach stays), then the
  // keying option of the method unless the read failed. False when it failed.
  bool readSettings(const QString &content);
  CwKeyerSettings settings() const;

  // Send queue.
  void FKeyCW(int &KeyCode);
  void LoopThroughCWBuffer();
  void UpDown1_UpClick();
  void UpDown1_DownClick();
  void tmrRepeat_Timer();
  void Text11_Change();

  // Transmitter.
  void Transmit(QChar ch);
  // (Re)opens the serial key line; false when it reported the port invalid.
  bool CWSetup();
  void CalibrateLoop();

  void Form_Load();
  // Closes the key line (released) and leaves the port arbiter; the program's end runs it.
  void Form_Unload();
  void Command1_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void cmdConfWinkey_Click();
  void optTimer_Click();
  void OptSleep_Click();
  void optLoop_Click();
  void txtLoop_Change();
  void cmdLoopFaster_Click();
  void cmdLoopSlower_Click();
  void Text10_LostFocus();
  void Text11_LostFocus();
  void txtSpace_Change();
  void txtSpace_LostFocus();
  void txtCWLoop_LostFocus();

private:
  void buildControls();
  void connectControls();
  Form1 &main();
  // One element: the key line down or up by the option buttons; false when it cannot be set.
  bool setKey(bool down);
  void waitUnit(double wpm);
  void stepSpeed(int by);
  void stepWordSpace(int by);
  void scaleLoop(double factor);
  void setTimingControlsEnabled(bool enabled);
  // Selects a keying option, running its click even when it was already selected.
  void selectKeyingOption(int method);

  // The WinKey keyer, code practice and the CW messages window.
  void handToWinKey();
  void winKeySpeed(int wpm);
  void loadWinKeyWindow();
  void showWinKeyWindow();
  void showCodePractice();
  void showCwMessagesWindow();

  PrinterKeyLine printer_;
};
