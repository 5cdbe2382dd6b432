#include "platform/Controls.h"

#include <QFocusEvent>
#include <QRectF>
#include <QVariant>

#include <cmath>

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
