#pragma once
// The summary sheet: the entrant's category, address and comments, and the button that writes
// the contest entry as a Cabrillo file. The address values are remembered between contests;
// every other choice starts afresh at each opening.

#include <QDialog>

class AppContext;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TextBox;
struct CabrilloHeader;

class Form2 : public QDialog {
  Q_OBJECT
public:
  explicit Form2(AppContext &context);
  ~Form2() override;

  AppContext &ctx;

  TextBox *Text5 = nullptr;      // name
  TextBox *Text6 = nullptr;      // address line 1
  TextBox *Text7 = nullptr;      // address line 2
  TextBox *Text8 = nullptr;      // e-mail
  TextBox *txtSection = nullptr; // ARRL section
  TextBox *Text10 = nullptr;     // club
  TextBox *Text11 = nullptr;     // soapbox
  TextBox *Text2 = nullptr;      // operators' calls
  QComboBox *Combo1 = nullptr;   // band category

  QGroupBox *Frame3 = nullptr; // operator
  QRadioButton *Option6 = nullptr;
  QRadioButton *Option5 = nullptr;
  QRadioButton *Option7 = nullptr;
  QRadioButton *Option9 = nullptr;
  QGroupBox *Frame1 = nullptr; // transmitters, for Multiple only
  QRadioButton *Option1 = nullptr;
  QRadioButton *Option2 = nullptr;
  QRadioButton *Option3 = nullptr;
  QGroupBox *Frame6 = nullptr; // power
  QRadioButton *Option18 = nullptr;
  QRadioButton *Option19 = nullptr;
  QRadioButton *Option20 = nullptr;
  QGroupBox *Frame2 = nullptr; // category overlay
  QCheckBox *Check1 = nullptr;
  QCheckBox *Check2 = nullptr;
  QCheckBox *Check3 = nullptr;

  QPushButton *Command4 = nullptr; // write the file
  QPushButton *Command3 = nullptr; // done

  void Form_Load();
  void Command4_Click();
  void Command3_Click();
  // "Single", "Single Assisted" and "Checklog": no transmitter count.
  void TransmittersOff();
  void Option7_Click();

private:
  void buildControls();
  CabrilloHeader summary() const;
  // Remembers the address values; false (with the reason) when the shared file cannot be written.
  bool StoreAddress(QString *error);
};
