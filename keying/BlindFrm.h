#pragma once
// "Voice Navigation Settings": how much the entry row speaks (VoiceNavMode), and the player of
// the spoken prompts. Made on first use, by the menu or the first prompt asked for; its load
// speaks the mode's announcement. Kept, hidden by Done, until the program ends.

#include <QDialog>

#include <memory>

class AppContext;
class QLabel;
class QPushButton;
class QRadioButton;
class WavePlayer;

class BlindFrm : public QDialog {
  Q_OBJECT
public:
  static constexpr bool loadsWhenMade = true;
  explicit BlindFrm(AppContext &context);
  ~BlindFrm() override;

  AppContext &ctx;
  QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr; // Off, Call Only, All Data Fields
  QPushButton *Command1 = nullptr;                                         // Done
  QLabel *Label7 = nullptr;                                                // the program folder
  std::unique_ptr<WavePlayer> MMControl1;

  // Starts the prompt `q` (a wave file of the program folder, its name in any case) and returns
  // at once; a missing or unplayable file plays nothing.
  void BlindKeyPhone(const QString &q);
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Command1_Click();
  void Form_Load();
  void Form_Unload();
};
