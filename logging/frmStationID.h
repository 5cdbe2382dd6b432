#pragma once
// Station setup: who and where the station is, the contest mode, how serials count, this PC's
// transmitter number and the shared log's path. Done opens the log; the dialog then hides and
// the main window's setup run reads its fields.

#include <QDialog>

#include <array>
#include <utility>

class AppContext;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TextBox;
enum class ContestMode;

class frmStationID : public QDialog {
  Q_OBJECT
public:
  explicit frmStationID(AppContext &context);

  AppContext &ctx;

  TextBox *Text1 = nullptr;        // own call
  TextBox *Text6 = nullptr;        // hours added for UTC
  QRadioButton *Option1 = nullptr; // Phone
  QRadioButton *Option2 = nullptr; // CW
  QRadioButton *Option5 = nullptr; // RTTY
  // The contest mode options with the mode each stands for.
  std::array<std::pair<QRadioButton *, ContestMode>, 3> modeOptions() const;
  QLabel *lblConnectQ4ZD = nullptr;
  QCheckBox *chkQ4ZDRtty = nullptr;
  TextBox *Text2 = nullptr;        // own country
  TextBox *Text3 = nullptr;        // continent
  TextBox *Text4 = nullptr;        // longitude
  TextBox *Text7 = nullptr;        // latitude
  TextBox *Text8 = nullptr;        // transmitter number
  QRadioButton *Option3 = nullptr; // serials per band
  QRadioButton *Option4 = nullptr; // serials over all bands
  TextBox *Text9 = nullptr;        // log file path
  QPushButton *Command1 = nullptr; // Done
  QPushButton *Command2 = nullptr; // Browse
  QPushButton *Command3 = nullptr; // Cancel, shown after a failed open
  QPushButton *Command4 = nullptr; // Help, shown after a failed open

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Option1_Click();
  void Option2_Click();
  void Option5_Click();
  // The country type-ahead: each key completes the name to the last table entry beginning with
  // what is typed, and fills the continent and coordinates from it.
  int Text2_KeyPress(int KeyAscii);

  // Esc does not leave the dialog; only Done or Cancel do.
  void reject() override;

protected:
  // The close box is Cancel.
  void closeEvent(QCloseEvent *event) override;

private:
  void buildControls();
  void setRttyLinkEnabled(bool enabled);
  // Beeps and takes the focus back when `box` is left holding no number, unless the focus goes
  // to one of the buttons (Done replaces the text, Cancel ends the program).
  void checkNumberOnLeaving(TextBox *box);
  bool refocusing_ = false;
};
