#pragma once
// The two ways the main window's keys and menus show another window.

#include "app/AppContext.h"

#include <QWidget>

// Beside the main window, without blocking: shown, in front and active; `restore` also brings a
// minimised window back to its normal size.
inline void showBeside(QWidget &window, bool restore) {
  if (restore)
    window.showNormal();
  else
    window.show();
  window.raise();
  window.activateWindow();
}

// Made afresh and loaded, shown modally, then unloaded: the next opening starts anew.
template <class W> void showModalFresh(AppContext &ctx) {
  ctx.loadedWindow<W>().exec();
  ctx.unload<W>();
}
