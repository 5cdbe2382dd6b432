#pragma once
// The contact editor: one logged contact, chosen in the main window's contact list, changed in
// the shared log with one update. The in-memory log is left alone; the caller's reload brings
// the change in.

#include <QDialog>

class AppContext;
class Label;
class QLabel;
class QPushButton;
class TextBox;

class frmEditCon : public QDialog {
  Q_OBJECT
public:
  explicit frmEditCon(AppContext &context);

  AppContext &ctx;

  // The slot under edit in the in-memory log; 0 when no contact of the log is selected.
  int EditIndex = 0;

  TextBox *txtEditNum = nullptr;    // report sent
  TextBox *txtEditPre = nullptr;    // country
  TextBox *txtEditCall = nullptr;   // call
  TextBox *txtEditCk = nullptr;     // report received
  TextBox *txtEditSec = nullptr;    // serial received
  TextBox *txtEditDate = nullptr;   // date
  TextBox *txtEditTime = nullptr;   // time
  TextBox *txtEditBnd = nullptr;    // band
  TextBox *txtEditPoints = nullptr; // points
  TextBox *Text2 = nullptr;         // serial sent
  TextBox *Text1 = nullptr;         // prefix
  TextBox *Text3 = nullptr;         // transmitter number
  QPushButton *cmdDone = nullptr;
  QPushButton *cmdDeleteDupe = nullptr;
  QLabel *Label1 = nullptr; // "Dupe!"
  QLabel *Label3 = nullptr; // invalid band

  // False, with nothing filled, when the list has no contact of the log selected.
  bool Form_Load();
  void cmdDone_Click();
  void cmdDeleteDupe_Click();

  void txtEditPre_KeyPress(int &KeyAscii);

private:
  void buildControls();
  void connectKeys();
  // Enter in any box is Done: true when the key was Enter, which is then dropped.
  bool doneOnEnter(int &KeyAscii);
  bool checkTime();
  bool checkDate();
  bool checkBand();
  // True for a valid box; otherwise beeps, shows the message and puts the focus back in it.
  bool acceptOrComplain(bool valid, TextBox *box, const QString &text, const QString &title);
  // Puts the focus back into a box that failed its check.
  void refocus(TextBox *box);

  // The contact as the list showed it when the editor opened: the update finds its rows by these.
  QString oldCall_;
  QString oldBand_;
  bool refocusing_ = false;
};
