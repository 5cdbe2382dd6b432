#pragma once
// "Test Change Frequency Function": a raw command to the polled rig, as text or hex bytes, and
// the program's own set-frequency command for a typed frequency.

#include <QDialog>

class AppContext;
class Label;
class QCheckBox;
class QPushButton;
class TextBox;

class frmFrequencyTest : public QDialog {
  Q_OBJECT
public:
  explicit frmFrequencyTest(AppContext &context);

  AppContext &ctx;
  Label *Label1, *Label2, *Label4;
  TextBox *Text1; // the raw command
  QCheckBox *Check1;
  QPushButton *Command1;
  TextBox *Text2; // MHz
  QPushButton *Command2;

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
};
