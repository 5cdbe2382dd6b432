#include "platform/KeyPress.h"

#include "platform/KeyCodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class KeyPressFilter : public QObject {
public:
  KeyPressFilter(QWidget *control, std::function<int(int)> keyPress)
      : QObject(control), keyPress_(std::move(keyPress)) {
    control->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *target, QEvent *event) override {
    if (replaying_ || event->type() != QEvent::KeyPress)
      return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // The same character code the text boxes' handlers get: Tab and other keys that type
    // nothing are 0 and pass untouched.
    const int typed = keyAscii(*key);
    if (typed == 0)
      return false;
    const int answer = keyPress_(typed);
    if (answer == typed)
      return false;
    if (answer != 0) {
      QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(answer)),
                         key->isAutoRepeat(), static_cast<quint16>(key->count()));
      replaying_ = true;
      QCoreApplication::sendEvent(target, &replaced);
      replaying_ = false;
    }
    return true;
  }

private:
  std::function<int(int)> keyPress_;
  bool replaying_ = false;
};

} // namespace

void onKeyPress(QWidget *control, std::function<int(int)> keyPress) {
  new KeyPressFilter(control, std::move(keyPress));
}
