#pragma once
// "CW Strings": the CW function-key messages at a glance beside the main window. A click on a
// row sends its message as its key would, and the main window's keys work from here too.
// Minimised by Done, hidden by the close box, unloaded only at the program's end.

#include <QWidget>

#include <array>

class AppContext;
class QLabel;
class QPushButton;

class frmCWStrings : public QWidget {
  Q_OBJECT
public:
  explicit frmCWStrings(AppContext &context);

  AppContext &ctx;

  std::array<QLabel *, 12> Label1{};      // the key names
  std::array<QLabel *, 12> lblCWString{}; // the messages
  QLabel *Label2 = nullptr;
  QPushButton *Command1 = nullptr; // Done

  void Form_Load();
  void Form_Activate();
  void Label1_Click(int Index);
  void lblCWString_Click(int Index) { Label1_Click(Index); }
  void Command1_Click();

protected:
  void changeEvent(QEvent *event) override;

private:
  void buildControls();
};
