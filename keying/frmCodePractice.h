#pragma once
// "On the Air Code Practice": random groups, pasted or typed text and live typing, all keyed
// through the CW queue at the CW keyer's speed. Shown modally from the CW settings window and
// unloaded by it when closed.

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class AppContext;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TextBox;

class frmCodePractice : public QDialog {
  Q_OBJECT
public:
  explicit frmCodePractice(AppContext &context);

  AppContext &ctx;

  QLabel *Label1 = nullptr;
  QLabel *Label2 = nullptr;
  QPushButton *Command6 = nullptr; // Clear the text to send
  QPlainTextEdit *Text1 = nullptr; // text to send
  QPushButton *Command3 = nullptr; // Send
  QPushButton *Command4 = nullptr; // Stop
  QPushButton *Command7 = nullptr; // Faster
  QLabel *Label7 = nullptr;
  QPushButton *Command8 = nullptr; // Slower
  QLabel *Label8 = nullptr;        // the speed
  QPushButton *Command1 = nullptr; // Paste from Clipboard
  QLabel *Label3 = nullptr;
  QPushButton *Command5 = nullptr; // Clear the text sent
  QPlainTextEdit *Text2 = nullptr; // text sent
  QPushButton *Command2 = nullptr; // Generate Random Characters
  TextBox *Text3 = nullptr;        // groups
  TextBox *Text4 = nullptr;        // characters a group
  QRadioButton *Option1 = nullptr; // Letters Only
  QRadioButton *Option2 = nullptr; // All
  TextBox *Text5 = nullptr;        // live typing

  std::array<QString, 46> CodePracticeChars;
  QString PracticeText;
  // Seeds the random groups at each Generate; the clock's millisecond counter unless a test sets it.
  std::function<std::uint64_t()> seedSource;

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command8_Click();
  void Text5_KeyPress(int &KeyAscii);
  // The close rule of the close box and Esc alike: empties the queue and the practice text, and
  // refuses while a character is being keyed. True when the window may close.
  bool Form_Unload();

  void reject() override;

private:
  void buildControls();
  void showSpeed();
  bool closed_ = false;
};
