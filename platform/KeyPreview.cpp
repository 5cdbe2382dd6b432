// Keys as the program's windows take them: the window sees each key first (going down, then
// the character it types), then the text box's own handler, then the box types what is left.
#include "platform/Controls.h"

#include "platform/KeyCodes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <deque>
#include <memory>

namespace {

constexpr int kBackspace = 8;
constexpr int kDelete = 127;
constexpr int kNoKey = 0; // the key code a click's work takes its turn with

// Editing keys that would change the text without passing the key handlers.
bool bypassesHandlers(const QKeyEvent &event) {
  for (const auto key : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                         QKeySequence::SelectAll}) {
    if (event.matches(key))
      return true;
  }
  return false;
}

// The virtual-key code of a shortcut's first key, as the key itself would have it.
int shortcutKeyCode(const QShortcutEvent &event) {
  if (event.key().isEmpty())
    return 0;
  const QKeyCombination first = event.key()[0];
  return virtualKeyCode(QKeyEvent(QEvent::KeyPress, first.key(), first.keyboardModifiers()));
}

// The program-wide part of the key layer. It delivers every key itself, so that the one pass of
// a key through its window's handlers is known however far up the window the key then travels
// (a key a button ignores goes on to the window), and it keeps the keys that must wait.
class KeyLayer : public QObject {
public:
  static KeyLayer &instance() {
    static QPointer<KeyLayer> layer;
    if (!layer)
      layer = new KeyLayer(QCoreApplication::instance());
    return *layer;
  }

  // Whether the window's handlers are still to see `event`; from now on they have.
  bool firstPreview(const QEvent &event) {
    // A key sent around the layer (not installed) is previewed wherever it goes.
    return &event != onItsWay_.event || !std::exchange(onItsWay_.previewed, true);
  }

  // Notes the turn of the keys typed into `window` (see FormKeys::turn).
  void takeTurnsOf(QWidget *window, const FormKeys &form) {
    if (!form.turn)
      return;
    std::erase_if(windows_, [&](const WindowTurn &w) { return !w.window || w.window == window; });
    windows_.push_back({window, form.turn, form.refused});
  }

  // A click's work on what typing into `widget`'s window acts on, in the turn a key typed now
  // would take: at once, or held as that key would be, and dropped with the keys held. Work that
  // a key let go sets off (a command it picks in a menu) is part of that key and goes at once.
  void actInTurn(QWidget *widget, std::function<void()> act) {
    if (releasing_ > 0 || !waits(widget, kNoKey)) {
      act();
      return;
    }
    hold(widget, nullptr, kNoKey, nullptr, std::move(act));
    release();
  }

protected:
  bool eventFilter(QObject *receiver, QEvent *event) override {
    ++delivered_;
    if (!receiver->isWidgetType() || event == onItsWay_.event)
      return false;
    auto *widget = static_cast<QWidget *>(receiver);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ZOrderChange:
      noteBroughtUp(widget);
      return false;
    case QEvent::FocusOut:
      noteFieldBehindMenu(widget, static_cast<QFocusEvent *>(event)->reason());
      return false;
    case QEvent::Shortcut: {
      // A menu key takes its turn as any key, held or not.
      const int keyCode = shortcutKeyCode(*static_cast<QShortcutEvent *>(event));
      if (!waits(widget, keyCode))
        return false;
      hold(widget, event, keyCode, widget);
      release();
      return true;
    }
    case QEvent::KeyPress:
      break;
    default:
      return false;
    }
    auto *key = static_cast<QKeyEvent *>(event);
    const int keyCode = virtualKeyCode(*key);
    QWidget *to = typedInto(widget);
    if (waits(to, keyCode))
      hold(to, key, keyCode);
    else
      deliver(to, key);
    // Keys held until now go once they may: at once when this one (an Escape, a message that
    // logged its contact) lets them go.
    release();
    // Delivered, up the window as far as it went: Qt's own pass ends here.
    event->accept();
    return true;
  }

private:
  explicit KeyLayer(QObject *parent) : QObject(parent) {
    // Checked while keys wait, so that they go as soon as nothing holds them also when no key
    // comes to take them along (the log sign amid a message, a message started by a click).
    // Not 0: a modal window's idle loop would spin on it.
    releaser_.setInterval(10);
    connect(&releaser_, &QTimer::timeout, this, [this] {
      // A timer does not fire again while its own tick runs, and a key let go here may open a
      // modal window whose loop runs inside this tick: started anew, it checks there too.
      releaser_.start();
      release();
    });
  }

  struct KeyOnItsWay {
    const QEvent *event = nullptr;
    bool previewed = false;
  };
  struct HeldKey {
    QPointer<QWidget> window;
    QPointer<QObject> shortcutOwner; // set for a menu key: its shortcut goes there
    std::unique_ptr<QEvent> event;   // none for a click's work
    int keyCode;
    std::function<KeyTurn(int)> turn; // none: in order
    std::function<void()> refused;
    std::function<void()> act; // a click's work, held in place of a key
  };
  struct WindowTurn {
    QPointer<QWidget> window;
    std::function<KeyTurn(int)> turn;
    std::function<void()> refused;
  };

  void dropHeld() { held_.clear(); }

  void deliver(QObject *receiver, QEvent *event) {
    // Replayed and synthesised keys are part of the key being handled.
    if (event->spontaneous())
      runPostedWork();
    const QScopedValueRollback<KeyOnItsWay> onItsWay(onItsWay_, {event, false});
    QCoreApplication::instance()->notify(receiver, event);
  }

  // Qt delivers every key the window system has queued in one go, and work posted meanwhile
  // after all of them; keys typed ahead would then run before the focus work of the keys before
  // them. Each key typed therefore waits until the posted work has run.
  void runPostedWork() {
    // One round sends only what was posted before it began; work posted by that work needs
    // another. A round that delivers nothing finds the queue empty. The bound keeps work that
    // posts itself again from holding the key for ever.
    constexpr int kMaxRounds = 16;
    for (int round = 0; round < kMaxRounds; ++round) {
      const quint64 before = delivered_;
      QCoreApplication::sendPostedEvents();
      if (delivered_ == before)
        break;
    }
  }

  // Whether the first key held must still wait; a hold that ended without letting its keys in
  // drops them all. Keys whose window has gone are dropped unasked.
  bool firstWaits() {
    std::erase_if(held_, [](const HeldKey &key) { return !key.window; });
    if (held_.empty())
      return false;
    const HeldKey &first = held_.front();
    const KeyTurn turn = first.turn ? first.turn(first.keyCode) : KeyTurn::InOrder;
    if (turn == KeyTurn::Drop)
      dropHeld();
    return turn == KeyTurn::Wait;
  }

  // The turn of the keys typed into `widget`'s window, none for a window that holds no key back.
  const WindowTurn *turnOf(const QWidget *widget) const {
    const auto same = std::find_if(windows_.begin(), windows_.end(),
                                   [&](const WindowTurn &w) { return w.window == widget->window(); });
    return same != windows_.end() ? &*same : nullptr;
  }

  // Keeps a copy of a key (or of a menu key's shortcut for `shortcutOwner`), or a click's work,
  // for `widget`'s window behind the keys held, until that window's turn lets it through.
  void hold(QWidget *widget, const QEvent *event, int keyCode, QObject *shortcutOwner = nullptr,
            std::function<void()> act = {}) {
    const WindowTurn *own = turnOf(widget);
    held_.push_back({widget->window(), shortcutOwner,
                     std::unique_ptr<QEvent>(event ? event->clone() : nullptr), keyCode,
                     own ? own->turn : nullptr, own ? own->refused : nullptr, std::move(act)});
    releaser_.start();
  }

  // Whether a key (or a click's work) for `widget`, wherever it has the focus in its window (its
  // menu bar too), must wait: behind the keys held, or because its window holds keys now. Asking
  // the window may end its hold: a Drop answer drops the keys held.
  bool waits(const QWidget *widget, int keyCode) {
    if (takesTurnBehind())
      return true;
    const WindowTurn *own = turnOf(widget);
    const KeyTurn turn = own ? own->turn(keyCode) : KeyTurn::InOrder;
    if (turn == KeyTurn::Drop)
      dropHeld();
    return turn == KeyTurn::Wait;
  }

  // Whether every key now goes behind the keys held: once they go, as they were typed first,
  // unless a menu or modal window the operator opened meanwhile holds them up.
  bool takesTurnBehind() {
    const bool waiting = firstWaits();
    return !held_.empty() && !waiting && !shutOut(held_.front().window);
  }

  // A window shown or raised, or a menu opened, by a key let go: the keys after it go there, as
  // keys typed after it would.
  void noteBroughtUp(QWidget *widget) {
    if (releasing_ == 0 || !widget->isWindow() || widget->windowType() == Qt::ToolTip)
      return;
    broughtUp_.removeAll(widget);
    broughtUp_.append(widget);
  }

  // Where a key the window system sent to `widget` goes. Keys typed while the program was busy
  // are sent to the menu that had the keyboard then, also when a key before them has closed it:
  // they go where typing goes now, as they would had they been typed after that key.
  static QWidget *typedInto(QWidget *widget) {
    const QWidget *window = widget->window();
    QWidget *focus = QApplication::focusWidget();
    return window->windowType() == Qt::Popup && !window->isVisible() && focus ? focus : widget;
  }

  // The menu or modal window that takes typing now instead of `window`, none when there is none.
  static QWidget *inFront(const QWidget *window) {
    if (QWidget *popup = QApplication::activePopupWidget())
      return popup;
    QWidget *modal = QApplication::activeModalWidget();
    return modal != window ? modal : nullptr;
  }

  // Whether a menu or modal window that no key let go brought up (the operator's, opened with
  // the mouse) stands in front of `window`: the keys typed before it wait until it is closed.
  bool shutOut(const QWidget *window) const {
    const QWidget *front = window ? inFront(window) : nullptr;
    return front && !broughtUp_.contains(front);
  }

  // A menu bar in keyboard mode (a menu closed with Escape, Alt alone) has taken the focus from
  // the field typing went to: keys held meanwhile still go there, never to the menu bar.
  void noteFieldBehindMenu(QWidget *field, Qt::FocusReason reason) {
    if (reason == Qt::MenuBarFocusReason && !qobject_cast<QMenuBar *>(field))
      fieldBehindMenu_ = field;
  }

  // Where a held key for `window` goes now, as a key typed now would: a menu or modal window a
  // key let go brought up, else the last window one brought up that is still on screen, else
  // `window`. None while the operator's menu or modal window is in front.
  QWidget *typingTarget(QWidget *window) {
    if (shutOut(window))
      return nullptr;
    QWidget *to = inFront(window);
    if (to && to->windowType() == Qt::Popup)
      return to->focusWidget() ? to->focusWidget() : to;
    if (!to) {
      const auto up = std::find_if(broughtUp_.rbegin(), broughtUp_.rend(),
                                   [](const QPointer<QWidget> &w) { return w && w->isVisible(); });
      to = up != broughtUp_.rend() ? up->data() : window;
    }
    if (!to->isActiveWindow()) {
      // Qt's activation only, so that the window's focus rules run for the keys as typed there;
      // the window system's focus stays where the operator has it.
      QApplication::setActiveWindow(to);
      activatedHere_ = true;
    }
    // Given back as the menu bar gives it when it leaves keyboard mode.
    if (fieldBehindMenu_ && fieldBehindMenu_->window() == to && qobject_cast<QMenuBar *>(to->focusWidget()))
      fieldBehindMenu_->setFocus(Qt::MenuBarFocusReason);
    return to->focusWidget() ? to->focusWidget() : to;
  }

  // Qt's active window back to the window system's, once keys let go no longer need another.
  void followSystemFocus() {
    if (!std::exchange(activatedHere_, false))
      return;
    const QWindow *focus = QGuiApplication::focusWindow();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto focused = std::find_if(windows.begin(), windows.end(),
                                      [&](QWidget *w) { return focus && w->windowHandle() == focus; });
    QWidget *active = focused != windows.end() ? *focused : nullptr;
    if (!(active && active->windowType() == Qt::Popup) && QApplication::activeWindow() != active)
      QApplication::setActiveWindow(active);
  }

  // Held keys, in order, as if typed now. A released key's work may let events run (a message
  // sent, a modal window): keys typed meanwhile come in behind the rest and go from there.
  void release() {
    while (!firstWaits() && !held_.empty()) {
      QWidget *window = held_.front().window;
      QWidget *target = typingTarget(window);
      if (!target)
        break;
      const HeldKey key = std::move(held_.front());
      held_.pop_front();
      const QWidget *popup = QApplication::activePopupWidget();
      {
        const QScopedValueRollback releasing(releasing_, releasing_ + 1);
        if (key.act)
          key.act();
        else if (!key.shortcutOwner)
          deliver(target, key.event.get());
        else if (target->window() == window)
          deliver(key.shortcutOwner, key.event.get());
        else if (key.refused)
          key.refused(); // its menu is not where typing goes now
      }
      // A menu the key opened is shown before the next key goes to it, as for keys typed then.
      if (QApplication::activePopupWidget() && QApplication::activePopupWidget() != popup)
        break;
    }
    if (!held_.empty())
      return;
    releaser_.stop();
    broughtUp_.clear();
    followSystemFocus();
  }

  quint64 delivered_ = 0;
  KeyOnItsWay onItsWay_;
  std::deque<HeldKey> held_;
  std::vector<WindowTurn> windows_; // the windows that hold keys back, with their turns
  QTimer releaser_;
  int releasing_ = 0; // keys let go now being delivered, one within another
  QList<QPointer<QWidget>> broughtUp_;
  QPointer<QWidget> fieldBehindMenu_; // the field a menu bar in keyboard mode took the focus from
  bool activatedHere_ = false;
};

// One key through the window's handlers: whether they cancelled the key going down, and the
// character code they left (0 also for a key that types nothing: see `typed`). A key that must
// wait is held and cancelled here.
struct PreviewedKey {
  bool cancelled;
  int typed;
  int ascii;
};

PreviewedKey preview(const FormKeys &form, const QKeyEvent &event) {
  const int typed = keyAscii(event);
  if (!KeyLayer::instance().firstPreview(event))
    return {false, typed, typed};
  int keyCode = virtualKeyCode(event);
  const bool hasCode = keyCode != 0;
  // A key without a code still goes down (code 0): it may end what the window is doing.
  if (form.keyDown)
    form.keyDown(keyCode, shiftState(event.modifiers()));
  int ascii = typed;
  if (form.keyPress && typed != 0)
    form.keyPress(ascii);
  return {hasCode && keyCode == 0, typed, ascii};
}

class KeyPreviewFilter : public QObject {
public:
  KeyPreviewFilter(QWidget *control, FormKeys form) : QObject(control), form_(std::move(form)) {}

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() != QEvent::KeyPress)
      return false;
    const PreviewedKey key = preview(form_, *static_cast<QKeyEvent *>(event));
    return key.typed == 0 ? key.cancelled : key.ascii == 0;
  }

private:
  FormKeys form_;
};

} // namespace

void installKeyLayer() {
  QCoreApplication::instance()->installEventFilter(&KeyLayer::instance());
}

void actInTurn(QWidget *window, std::function<void()> act) {
  KeyLayer::instance().actInTurn(window, std::move(act));
}

void TextBox::setKeysOnly() {
  keysOnly_ = true;
  setContextMenuPolicy(Qt::NoContextMenu);
  setDragEnabled(false);
  setAcceptDrops(false);
}

void TextBox::typeKey(int KeyAscii) {
  if (KeyAscii == kBackspace)
    backspace();
  else if (KeyAscii >= ' ' && KeyAscii <= 255 && KeyAscii != kDelete)
    insert(QString(QChar(KeyAscii)));
}

void TextBox::keyPressEvent(QKeyEvent *event) {
  const PreviewedKey key = preview(form_, *event);
  if (key.typed == 0) {
    // Keys that type nothing keep their own meaning (the caret keys, Delete) unless cancelled.
    if (!key.cancelled && !(keysOnly_ && bypassesHandlers(*event)))
      QLineEdit::keyPressEvent(event);
    else
      event->accept();
    return;
  }
  int code = key.ascii;
  if (code != 0 && KeyPress)
    KeyPress(code);
  if (code == key.typed && !keysOnly_) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  typeKey(code);
}

void TextBox::mousePressEvent(QMouseEvent *event) {
  if (keysOnly_ && event->button() == Qt::MiddleButton)
    event->accept();
  else
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event) {
  // The middle button pastes the X selection.
  if (keysOnly_ && event->button() == Qt::MiddleButton)
    event->accept();
  else
    QLineEdit::mouseReleaseEvent(event);
}

void previewKeys(QWidget *control, FormKeys form) {
  KeyLayer::instance().takeTurnsOf(control->window(), form);
  if (auto *box = qobject_cast<TextBox *>(control))
    box->setFormKeys(std::move(form));
  else
    control->installEventFilter(new KeyPreviewFilter(control, std::move(form)));
}
