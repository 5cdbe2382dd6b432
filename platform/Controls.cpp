#include "platform/Controls.h"

#include <QFocusEvent>
#include <QRectF>
#include <QVariant>

#include <cmath>

namespace {

class EventHook : public QObject {
public:
  EventHook(QObject *target, QEvent::Type type, std::function<void(QEvent *)> handler)
      : QObject(target), type_(type), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == type_)
      handler_(event);
    return false;
  }

private:
  QEvent::Type type_;
  std::function<void(QEvent *)> handler_;
};

} // namespace

void TextBox::setText(const QString &text) {
  QLineEdit::setText(text);
  setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent *event) {
  // QLineEdit selects everything for Tab and shortcut focus; keep the caret where it was.
  QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
  QLineEdit::focusInEvent(&plain);
  event->accept();
}

void TextBox::focusOutEvent(QFocusEvent *event) {
  // With the popup reason QLineEdit keeps its selection.
  QFocusEvent keep(QEvent::FocusOut, Qt::PopupFocusReason);
  QLineEdit::focusOutEvent(&keep);
  event->accept();
}

void Label::setText(const QString &text) {
  if (text == QLabel::text())
    return;
  QLabel::setText(text);
  emit changed();
}

void placeTwips(QWidget *widget, double left, double top, double width, double height) {
  const auto px = [](double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); };
  widget->setProperty("designTwips", QRectF(left, top, width, height));
  widget->setGeometry(px(left), px(top), px(width), px(height));
}

void onEvent(QObject *target, QEvent::Type type, std::function<void(QEvent *)> handler) {
  new EventHook(target, type, std::move(handler));
}
