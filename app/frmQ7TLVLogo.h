#pragma once
// The logo shown while the program starts: the built-in pictures for 1.9 s (the second one
// from 1.1 s on), or the station's own "splash.jpg" from the shared folder for 2.7 s. A click
// on the picture closes it at once.

#include <QDialog>

class AppContext;
class QLabel;
class QTimer;

class frmQ7TLVLogo : public QDialog {
  Q_OBJECT
public:
  explicit frmQ7TLVLogo(AppContext &context);

  AppContext &ctx;
  QLabel *Image1 = nullptr;
  QLabel *Image2 = nullptr;
  QTimer *Timer1 = nullptr; // closes the window
  QTimer *Timer2 = nullptr; // shows Image2

  void Form_Load();
  void Image1_Click();
  void Timer1_Timer();
  void Timer2_Timer();

private:
  void unloadLogo();
};
