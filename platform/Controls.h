#pragma once
// Text boxes and labels that behave as the operator's keys and the program's logic expect:
// the selection survives a change of focus, Tab does not select the whole text, text set by the
// program leaves the caret at the start, and a label tells when its caption really changes.

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include <functional>

class TextBox : public QLineEdit {
  Q_OBJECT
public:
  using QLineEdit::QLineEdit;
  // Hides QLineEdit::setText: the caret goes to the start, as the program's rules assume.
  void setText(const QString &text);

protected:
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
};

class Label : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;
  // Hides QLabel::setText so that `changed` fires on every real change of the caption.
  void setText(const QString &text);

signals:
  void changed();
};

// Design positions are in twips; the screen has 15 twips to a pixel. The design rectangle is
// kept on the widget (property "designTwips", a QRectF) so that scaling can work from it.
constexpr int kTwipsPerPixel = 15;
void placeTwips(QWidget *widget, double left, double top, double width, double height);

// Runs `handler` for every event of `type` that reaches `target`, before the target sees it;
// the event goes on to the target. For the control events that Qt has no signal for.
void onEvent(QObject *target, QEvent::Type type, std::function<void(QEvent *)> handler);
