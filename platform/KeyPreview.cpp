// Keys as the program's windows take them: the window sees each key first (going down, then
// the character it types), then the text box's own handler, then the box types what is left.
#include "platform/Controls.h"

#include "platform/KeyCodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>

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
// (a key a button ignores goes on to the window).
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

protected:
  bool eventFilter(QObject *receiver, QEvent *event) override {
    ++delivered_;
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType() || event == onItsWay_.event)
      return false;
    deliver(receiver, static_cast<QKeyEvent *>(event));
    // Delivered, up the window as far as it went: Qt's own pass ends here.
    event->accept();
    return true;
  }

private:
  using QObject::QObject;

  struct KeyOnItsWay {
    const QEvent *event = nullptr;
    bool previewed = false;
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

  quint64 delivered_ = 0;
  KeyOnItsWay onItsWay_;
};

// One key through the window's handlers: whether they cancelled the key going down, and the
// character code they left (0 also for a key that types nothing: see `typed`).
struct PreviewedKey {
  bool cancelled;
  int typed;
  int ascii;
};

PreviewedKey preview(const FormKeys &form, const QKeyEvent &event) {
  const int typed = keyAscii(event);
  KeyLayer &layer = KeyLayer::instance();
  if (!layer.firstPreview(event))
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
  if (auto *box = qobject_cast<TextBox *>(control))
    box->setFormKeys(std::move(form));
  else
    control->installEventFilter(new KeyPreviewFilter(control, std::move(form)));
}
