#pragma once
// The start-up window, never seen: it fixes the program folder, shows the logo, finds or makes
// the per-user folders, loads the shared XML preferences and hands over to the main window.

#include <QWidget>

class AppContext;

class frmSplash : public QWidget {
  Q_OBJECT
public:
  explicit frmSplash(AppContext &context);

  AppContext &ctx;

  void Form_Load();
};
