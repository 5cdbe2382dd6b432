#pragma once
// The voice keyer: its settings window "Phone Wave Selections", whose controls are the live
// settings (read from wave2.txt at start, written by Done), and the player of the F1 to F9
// messages with push-to-talk on a serial port's RTS or DTR line, the printer port, or both.
// Loaded hidden by the main window's load and kept until the program ends.

#include "keying/KeyLines.h"

#include <QDialog>

#include <array>
#include <memory>

class AppContext;
class Form1;
class QPushButton;
class QRadioButton;
class SerialKeyLine;
class TextBox;
class Timer;
class WavePlayer;
struct VoiceKeyerSettings;

class PhoneFrm : public QDialog {
  Q_OBJECT
public:
  explicit PhoneFrm(AppContext &context);
  ~PhoneFrm() override;

  AppContext &ctx;
  TextBox *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr, *Text5 = nullptr,
          *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr, *Text9 = nullptr; // F1 to F9
  // Browse beside Text1 to Text9.
  QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr, *Command5 = nullptr,
              *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr,
              *Command10 = nullptr;
  TextBox *Text10 = nullptr;                                               // serial port, 0 for none
  QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr; // RTS, DTR, Parallel
  TextBox *txtPHLoop = nullptr;                                            // F1 repeat pause in seconds
  TextBox *Text11 = nullptr;                                               // printer port base address
  QPushButton *Command1 = nullptr;                                         // Done
  QPushButton *Command11 = nullptr;                                        // Test
  QPushButton *Command12 = nullptr;                                        // Stop
  Timer *Timer1 = nullptr;                                                 // end of play, 40 ms
  Timer *tmrRepeat = nullptr;
  std::unique_ptr<WavePlayer> MMControl1;
  std::unique_ptr<SerialKeyLine> CommPhone;

  std::array<TextBox *, 9> waveBoxes() const;
  // wave2.txt's values into the controls (what the read did not reach stays). False when it failed.
  bool readSettings(const QString &content);
  VoiceKeyerSettings settings() const;

  // F1 to F9 (112 to 120) play their messages; other codes do nothing.
  void FKeyPhone(int &KeyCode);
  void OpenPhonePort();
  void Timer1_Timer();
  void tmrRepeat_Timer();
  void Command1_Click();
  void Command11_Click();
  void Command12_Click();
  // The Browse buttons: the chosen wave file into `target`.
  void Browse(TextBox *target);
  void Text10_LostFocus();
  void txtPHLoop_LostFocus();
  void Form_Load();
  // Closes the player, releases push-to-talk and closes the port; the program's end runs it.
  void Form_Unload();

private:
  void buildControls();
  void connectControls();
  Form1 &main();
  // Releases every line keyed since the last release, whatever the boxes say now.
  void releaseKeyed();

  PrinterKeyLine printer_;
  // What push-to-talk keyed: the serial line's RTS and DTR, and the printer ports by their base.
  bool keyedRts_ = false, keyedDtr_ = false;
  QStringList keyedPrinters_;
};
