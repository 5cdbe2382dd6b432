#pragma once
// The two ways the main window's keys and menus show another window.

#include "app/AppContext.h"
#include "platform/Controls.h"

#include <QDialog>
#include <QWidget>

// Beside the main window, without blocking: shown, in front and active (unless another program
// has the focus); `restore` also brings a minimised window back to its normal size.
inline void showBeside(QWidget &window, bool restore) {
  if (restore)
    window.showNormal();
  else
    window.show();
  window.raise();
  activateWithinProgram(window);
}

// Modal, the one instance kept loaded. The keys may have it on screen already: a second, modal
// showing of it would be no showing, so it only comes to the front then.
inline void showModalKept(QDialog &window) {
  if (window.isVisible())
    showBeside(window, false);
  else
    window.exec();
}

// Made afresh and loaded, shown modally, then unloaded: the next opening starts anew.
template <class W> void showModalFresh(AppContext &ctx) {
  ctx.loadedWindow<W>().exec();
  ctx.unload<W>();
}
