#pragma once
// The help page: the help text "orvexhlp.txt" from the program folder, read-only.

#include <QDialog>

class AppContext;
class QPlainTextEdit;
class QPushButton;

class Form5 : public QDialog {
  Q_OBJECT
public:
  explicit Form5(AppContext &context);

  AppContext &ctx;
  QPlainTextEdit *Text1 = nullptr;
  QPushButton *Command1 = nullptr; // "Close"

  void Form_Load();
  void Command1_Click();
};
