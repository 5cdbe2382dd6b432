#pragma once
// The rig link: the settings dialog " Rig Interface Setup" and the live link behind it, its
// serial port, its poll timer and the rig's last frequency and mode. One instance, loaded when
// first made; "&Done" and the close box only hide it.

#include "platform/SerialLink.h"
#include "rig/BandPlan.h"
#include "rig/RigCommands.h"
#include "rig/RigPoll.h"
#include "rig/RigSettings.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class AppContext;
class Label;
class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TextBox;
class Timer;

class RigControlfrm : public QDialog {
  Q_OBJECT
public:
  explicit RigControlfrm(AppContext &context);
  ~RigControlfrm() override;

  AppContext &ctx;

  QListWidget *List1 = nullptr;
  QRadioButton *optBaud12, *optBaud24, *optBaud48, *optBaud96, *optBaud144, *optBaud192, *optBaud288,
      *optBaud384, *optBaud560;
  QRadioButton *optParityOdd, *optParityNone, *optParityEven;
  QRadioButton *optData7, *optData8;
  QRadioButton *optStop1, *optStop2;
  std::array<QRadioButton *, 10> optComm{};
  QRadioButton *optPowerNone, *optPowerRTS, *optPowerDTR;
  QRadioButton *optPollFast, *optPollMed, *optPollSlow, *optReallySlow;
  QRadioButton *OptRig, *OptFreq, *OptDont;
  QCheckBox *chkFrequency, *chkConvToHex, *ChkConvHex;
  TextBox *txtFreq, *txtMode;
  Label *Label1;  // how to use the window
  Label *Label2;  // "Polling Rig"
  Label *Label10; // the note on the CI-V address
  Label *lblFreq, *lblMode, *lblUnProcess;
  QPushButton *Command1, *Command2, *Command3, *Command4, *cmdDone;
  Timer *tmrGetData;
  // The serial port; tests put a double in its place.
  std::unique_ptr<SerialLink> comComm1;

  RigLinkSettings RigSettings;
  bool LoadingSettings = false;
  QByteArray RigReply;
  RigReadout Rig; // RigFrequency, RigMode, ActiveVfo
  int PollModeNext = 0;
  int ReadTickNext = 0;
  std::vector<BandPlanRecord> BandPlanRows; // the Extra class's rows

  void Form_Load();
  void Form_Unload();
  void LoadRigSettings();
  void SaveRigSettings();
  void LoadBandPlan();
  void ModeFromBandPlan(float mhz, QString &mode) const;
  void Command1_Click(); // Test
  void Command2_Click(); // End Test
  void Command3_Click(); // Change Frequency
  void Command4_Click(); // copy the raw reply
  void cmdDone_Click();
  void List1_Click();
  void ModeBy_Click();
  void tmrGetData_Timer();
  void ModeFromFrequency();
  void ReadPegasusReply();
  bool polling() const;

  // Tuning: the band plan's mode first, then the frequency, with polling paused meanwhile. A
  // request made while one runs is kept (the latest wins) and runs when it is done.
  void ChangeFrequency(float qChangeFreq);
  // An empty word is filled from the band plan, and the caller's string receives it.
  void ChangeMode(float qChangeFrequency, QString &ModeToChangeTo);
  void WaitForOutputDrain();
  void PauseMilliseconds(int ms);
  void WritePegasusCommand(float mhz);

private:
  void buildControls();
  void connectControls();
  bool OpenRigPort();
  void StartRigPolling();
  void portFailed();
  void portMessage();
  void lineLost();
  void tellLoss();
  void commandFailed(const QString &text, const QString &title);
  bool lossUntold_ = false;
  // Held while a tuning command runs: a line lost meanwhile is told when the outermost one ends,
  // unless its failure box has told of it.
  struct CommandRun {
    explicit CommandRun(RigControlfrm &form);
    ~CommandRun();
    CommandRun(const CommandRun &) = delete;
    CommandRun &operator=(const CommandRun &) = delete;
    RigControlfrm &f;
  };
  int commandDepth_ = 0;
  void readTick();
  bool sendTick();
  PollTexts pollTexts() const;
  TuneTexts tuneTexts() const;
  bool tuneOnce(float mhz);
  bool tuneFailed(const QString &why);
  bool tuning_ = false;
  std::optional<float> nextTune_;
  QString &RigType();
  // The selections that stand for the settings' values, and back.
  void showSettings();
  void takeSettings();
  void applyDefaults(const RigDefaults &d);
};

// The Pegasus control program's folder under the home folder (found without regard to case),
// and one of its files.
QString pegasusFile(const QString &name);
