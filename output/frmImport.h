#pragma once
// Appending another log database or the text backup to the shared log.

#include <QDialog>

class AppContext;
class QCheckBox;
class QLabel;
class QPushButton;
class TextBox;

class frmImport : public QDialog {
  Q_OBJECT
public:
  explicit frmImport(AppContext &context);

  AppContext &ctx;

  TextBox *Text1 = nullptr;        // the source's path
  QPushButton *Command3 = nullptr; // Browse
  QPushButton *Command2 = nullptr; // Append
  QPushButton *Command1 = nullptr; // Done
  QCheckBox *Check1 = nullptr;     // leave out duplicates
  QLabel *Label2 = nullptr;
  QLabel *Label3 = nullptr;
  QLabel *Label4 = nullptr;

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Check1_Click(bool ticked);

private:
  bool appendSource(const QString &path);
};
