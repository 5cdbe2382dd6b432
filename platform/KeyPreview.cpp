// Keys as the program's windows take them: the window sees each key first (going down, then
// the character it types), then the text box's own handler, then the box types what is left.
#include "platform/Controls.h"

#include "platform/KeyCodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

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

// One key through the window's handlers: whether they cancelled the key going down, and the
// character code they left (0 also for a key that types nothing: see `typed`).
struct PreviewedKey {
  bool cancelled;
  int typed;
  int ascii;
};

PreviewedKey preview(const FormKeys &form, const QKeyEvent &event) {
  int keyCode = virtualKeyCode(event);
  const bool hasCode = keyCode != 0;
  // A key without a code still goes down (code 0): it may end what the window is doing.
  if (form.keyDown)
    form.keyDown(keyCode, shiftState(event.modifiers()));
  const int typed = keyAscii(event);
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

// Qt delivers every key the window system has queued in one go, and work posted meanwhile
// after all of them; keys typed ahead would then run before the focus work of the keys before
// them. Each key typed therefore waits until the posted work has run.
class DeferredWorkFirst : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    ++delivered_;
    // Replayed and synthesised keys are part of the key being handled.
    if (event->type() != QEvent::KeyPress || !event->spontaneous())
      return false;
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
    return false;
  }

private:
  quint64 delivered_ = 0;
};

} // namespace

void runDeferredWorkBeforeKeys() {
  QCoreApplication::instance()->installEventFilter(new DeferredWorkFirst(QCoreApplication::instance()));
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
