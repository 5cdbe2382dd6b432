// Keys as the program's windows take them: the window sees each key first (going down, then
// the character it types), then the text box's own handler, then the box types what is left.
#include "platform/Controls.h"

#include "platform/KeyCodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include <deque>
#include <memory>

namespace {

constexpr int kBackspace = 8;
constexpr int kDelete = 127;

// Editing keys that would change the text without passing the key handlers.
bool bypassesHandlers(const QKeyEvent &event) {
  for (const auto key : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                         QKeySequence::SelectAll}) {
    if (event.matches(key))
      return true;
  }
  return false;
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

  // Keeps a copy of the key for `control`'s window until `waits` lets it through.
  void hold(QWidget *control, const QKeyEvent &event, std::function<bool(int)> waits) {
    held_.push_back({control->window(), std::unique_ptr<QKeyEvent>(event.clone()), virtualKeyCode(event),
                     std::move(waits)});
    releaser_.start();
  }

protected:
  bool eventFilter(QObject *receiver, QEvent *event) override {
    ++delivered_;
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType() || event == onItsWay_.event)
      return false;
    // Keys held until now come before this one once they may, and at once when this one (an
    // Escape, a message that logged its contact) lets them go.
    release();
    deliver(receiver, static_cast<QKeyEvent *>(event));
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
    connect(&releaser_, &QTimer::timeout, this, &KeyLayer::release);
  }

  struct KeyOnItsWay {
    const QEvent *event = nullptr;
    bool previewed = false;
  };
  struct HeldKey {
    QPointer<QWidget> window;
    std::unique_ptr<QKeyEvent> event;
    int keyCode;
    std::function<bool(int)> waits;
  };

  void deliver(QObject *receiver, QKeyEvent *event) {
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

  // Held keys, in order, as if typed now, to whatever has the focus in their window then.
  void release() {
    while (!held_.empty() && !held_.front().waits(held_.front().keyCode)) {
      const HeldKey key = std::move(held_.front());
      held_.pop_front();
      if (key.window)
        deliver(key.window->focusWidget() ? key.window->focusWidget() : key.window.data(), key.event.get());
    }
    if (held_.empty())
      releaser_.stop();
  }

  quint64 delivered_ = 0;
  KeyOnItsWay onItsWay_;
  std::deque<HeldKey> held_;
  QTimer releaser_;
};

// One key through the window's handlers: whether they cancelled the key going down, and the
// character code they left (0 also for a key that types nothing: see `typed`). A key that must
// wait is held and cancelled here.
struct PreviewedKey {
  bool cancelled;
  int typed;
  int ascii;
};

PreviewedKey preview(QWidget *control, const FormKeys &form, const QKeyEvent &event) {
  const int typed = keyAscii(event);
  KeyLayer &layer = KeyLayer::instance();
  if (!layer.firstPreview(event))
    return {false, typed, typed};
  int keyCode = virtualKeyCode(event);
  if (form.waits && form.waits(keyCode)) {
    layer.hold(control, event, form.waits);
    return {true, typed, 0};
  }
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
  bool eventFilter(QObject *control, QEvent *event) override {
    if (event->type() != QEvent::KeyPress)
      return false;
    const PreviewedKey key =
        preview(static_cast<QWidget *>(control), form_, *static_cast<QKeyEvent *>(event));
    return key.typed == 0 ? key.cancelled : key.ascii == 0;
  }

private:
  FormKeys form_;
};

} // namespace

void installKeyLayer() {
  QCoreApplication::instance()->installEventFilter(&KeyLayer::instance());
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
  const PreviewedKey key = preview(this, form_, *event);
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
  if (auto *box = qobject_cast<TextBox *>(control))
    box->setFormKeys(std::move(form));
  else
    control->installEventFilter(new KeyPreviewFilter(control, std::move(form)));
}
