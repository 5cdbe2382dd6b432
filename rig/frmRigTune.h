#pragma once
// " Change Frequency and Mode (Ctrl G (Go))": tunes the rig to a typed frequency, a band, a step
// up or down, sets its mode, or scans between two frequencies.

#include <QDialog>

#include <array>

class AppContext;
class RigControlfrm;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTimer;
class TextBox;

class frmRigTune : public QDialog {
  Q_OBJECT
public:
  explicit frmRigTune(AppContext &context);

  AppContext &ctx;
  TextBox *txtFreq;
  QPushButton *Command1; // &Go
  std::array<QPushButton *, 16> cmdBand{};
  std::array<QPushButton *, 10> cmdTune{};
  QPushButton *cmdCW, *cmdLSB, *cmdUSB, *cmdAM, *cmdFM, *cmdRTTY, *cmdDone;
  QCheckBox *chkScan;
  TextBox *txtFrom, *txtTo;
  QGroupBox *Frame1;
  QRadioButton *Option1, *Option2, *Option3, *Option4, *Option5;
  QTimer *Timer1;

  void Form_Load();
  void Command1_Click(); // the tune action
  void cmdBand_Click(int index);
  void cmdTune_Click(int index);
  void chkScan_Click();
  void Timer1_Timer();

private:
  void buildControls();
  void modeButton(QPushButton *button, const QString &word);
  RigControlfrm *rigLink() const;
};
