#include "platform/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolTip>
#include <QTreeView>
#include <QVariant>
#include <QWindow>

#include <algorithm>
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

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {
  // QLineEdit turns its cursor on whenever text gets selected, focused or not, and the program
  // selects text in boxes the operator has not reached yet (the default reports).
  connect(this, &QLineEdit::selectionChanged, this, [this] {
    if (!hasFocus())
      hideCursor();
  });
}

void TextBox::hideCursor() {
  // Leaving the box is what turns the cursor off; the popup reason keeps the selection.
  QFocusEvent keep(QEvent::FocusOut, Qt::PopupFocusReason);
  QLineEdit::focusOutEvent(&keep);
}

void TextBox::setText(const QString &text) {
  QLineEdit::setText(text);
  setCursorPosition(0);
}

void TextBox::setTyped(const QString &text) {
  setText(text);
  setModified(true);
}

namespace {

// Focus that moves because another window or a menu became active is no change of focus
// inside the window.
bool switchesWindow(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

} // namespace

bool TextBox::event(QEvent *event) {
  if (event->type() == QEvent::Polish)
    showSelection(hasFocus());
  // QLineEdit drops the selection of a box without the focus when its window is activated again;
  // it stays, as a default report waits selected to be typed over.
  if (event->type() == QEvent::WindowActivate)
    return QWidget::event(event);
  return QLineEdit::event(event);
}

void TextBox::showSelection(bool shown) {
  const QPalette normal = QApplication::palette(this);
  QPalette p = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setBrush(group, QPalette::Highlight,
               shown ? normal.brush(group, QPalette::Highlight) : p.brush(group, QPalette::Base));
    p.setBrush(group, QPalette::HighlightedText,
               shown ? normal.brush(group, QPalette::HighlightedText) : p.brush(group, QPalette::Text));
  }
  setPalette(p);
}

void TextBox::focusInEvent(QFocusEvent *event) {
  // QLineEdit selects everything for Tab and shortcut focus; keep the caret where it was.
  QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
  QLineEdit::focusInEvent(&plain);
  event->accept();
  showSelection(true);
  if (!switchesWindow(event->reason()))
    emit gotFocus();
}

void TextBox::focusOutEvent(QFocusEvent *event) {
  hideCursor();
  event->accept();
  showSelection(false);
  if (!switchesWindow(event->reason()))
    emit lostFocus();
}

void activateWithinProgram(QWidget &window) {
  const QWindow *focus = QGuiApplication::focusWindow();
  if (focus && focus != window.windowHandle())
    window.activateWindow();
}

void setBackColor(QWidget *widget, const QColor &color) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, color);
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

void Label::setText(const QString &text) {
  if (text == QLabel::text())
    return;
  QLabel::setText(text);
  emit changed();
}

namespace {

const char *const kTwipsProperty = "designTwips";
const char *const kOrderProperty = "placementOrder";
const char *const kKindProperty = "controlKind";
const char *const kFormFontProperty = "formFont";
const char *const kColumnsProperty = "columnTwips";

// Pixels from twips, kept within what a widget can take.
int pixels(double twips, double perPixel) {
  const double px = std::clamp(twips / perPixel, -double(QWIDGETSIZE_MAX), double(QWIDGETSIZE_MAX));
  return static_cast<int>(std::lround(px));
}

void joinCollection(QWidget *widget) {
  static qint64 next = 0;
  if (!widget->property(kOrderProperty).isValid())
    widget->setProperty(kOrderProperty, ++next);
}

bool hasFrame(const QWidget *window) {
  return !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

bool hasMenuBar(const QWidget *window) {
  const auto *main = qobject_cast<const QMainWindow *>(window);
  return main && main->menuWidget();
}

} // namespace

void setControlKind(QWidget *control, ControlKind kind) {
  control->setProperty(kKindProperty, static_cast<int>(kind));
}

ControlKind controlKind(const QWidget *control) {
  const QVariant tagged = control->property(kKindProperty);
  if (tagged.isValid())
    return static_cast<ControlKind>(tagged.toInt());
  if (qobject_cast<const Line *>(control))
    return ControlKind::Line;
  if (qobject_cast<const QTreeView *>(control))
    return ControlKind::ListView;
  if (qobject_cast<const QListWidget *>(control))
    return ControlKind::ListBox;
  if (qobject_cast<const QPushButton *>(control))
    return ControlKind::Button;
  if (qobject_cast<const QCheckBox *>(control))
    return ControlKind::CheckBox;
  if (qobject_cast<const QRadioButton *>(control))
    return ControlKind::OptionButton;
  if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control) ||
      qobject_cast<const QTextEdit *>(control))
    return ControlKind::TextBox;
  if (qobject_cast<const QLabel *>(control))
    return ControlKind::Label;
  if (qobject_cast<const QProgressBar *>(control))
    return ControlKind::ProgressBar;
  if (qobject_cast<const QGroupBox *>(control))
    return ControlKind::Frame;
  if (qobject_cast<const QComboBox *>(control))
    return ControlKind::ComboBox;
  if (qobject_cast<const QScrollBar *>(control))
    return ControlKind::ScrollBar;
  return ControlKind::OtherVisual;
}

bool hasFont(ControlKind kind) {
  switch (kind) {
  case ControlKind::ProgressBar:
  case ControlKind::Image:
  case ControlKind::Shape:
  case ControlKind::ScrollBar:
  case ControlKind::OtherVisual:
  case ControlKind::Line:
    return false;
  default:
    return true;
  }
}

double twipsPerPixel(const QWidget *widget) {
  return 1440.0 / widget->logicalDpiX();
}

void placeTwips(QWidget *widget, double left, double top, double width, double height) {
  widget->setProperty(kTwipsProperty, QRectF(left, top, width, height));
  const double perPixel = twipsPerPixel(widget);
  if (widget->isWindow()) {
    // A QMainWindow's menu bar lies inside its widget, so the frame alone is taken off.
    widget->move(pixels(left, perPixel), pixels(top, perPixel));
    const bool framed = hasFrame(widget);
    widget->resize(std::max(0, pixels(width, perPixel) - (framed ? kFrameWidthPx : 0)),
                   std::max(0, pixels(height, perPixel) - (framed ? kFrameHeightPx : 0)));
    return;
  }
  joinCollection(widget);
  widget->setGeometry(pixels(left, perPixel), pixels(top, perPixel), pixels(width, perPixel),
                      pixels(height, perPixel));
}

QRectF twipsRect(const QWidget *widget) {
  return widget->property(kTwipsProperty).toRectF();
}

bool isPlaced(const QWidget *widget) {
  return widget->property(kTwipsProperty).isValid();
}

QList<QWidget *> placedControls(const QWidget *window) {
  QList<QWidget *> controls;
  for (QWidget *w : window->findChildren<QWidget *>())
    if (w->window() == window && w->property(kOrderProperty).isValid())
      controls << w;
  std::sort(controls.begin(), controls.end(), [](const QWidget *a, const QWidget *b) {
    return a->property(kOrderProperty).toLongLong() < b->property(kOrderProperty).toLongLong();
  });
  return controls;
}

QSizeF frameTwips(const QWidget *window) {
  const double perPixel = twipsPerPixel(window);
  const bool framed = hasFrame(window);
  const int height = (framed ? kFrameHeightPx : 0) + (hasMenuBar(window) ? kMenuBarHeightPx : 0);
  return {(framed ? kFrameWidthPx : 0) * perPixel, height * perPixel};
}

QFont designFont(const QFont &desktop) {
  constexpr double kDigitTwips = 90;
  // Measured large, where the rounding of small sizes to whole pixels does not show.
  constexpr double kMeasuredPoints = 72;
  const QScreen *screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  QFont font = desktop;
  font.setPointSizeF(kMeasuredPoints);
  const double digit = QFontMetricsF(font).horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
  // In quarter points, as font sizes were offered.
  const double size = std::round(4 * kMeasuredPoints * (kDigitTwips * dpi / 1440.0) / digit) / 4;
  if (!std::isfinite(size) || size <= 0)
    return desktop;
  font.setPointSizeF(size);
  return font;
}

void useDesignFont() {
  const QFont desktop = QApplication::font();
  QApplication::setFont(designFont(desktop));
  QApplication::setFont(desktop, "QMenuBar");
  QApplication::setFont(desktop, "QMenu");
  QToolTip::setFont(desktop);
}

QFont formFont(const QWidget *window) {
  const QVariant font = window->property(kFormFontProperty);
  return font.isValid() ? font.value<QFont>() : window->font();
}

void setFormFont(QWidget *window, const QFont &font) {
  window->setProperty(kFormFontProperty, font);
}

void setColumnTwips(QTreeView *list, const QList<float> &widths) {
  list->setProperty(kColumnsProperty, QVariant::fromValue(widths));
  // Otherwise Qt widens a 0-width column to its minimum and stretches the last one.
  list->header()->setMinimumSectionSize(0);
  list->header()->setStretchLastSection(false);
  const double perPixel = twipsPerPixel(list);
  for (int i = 0; i < widths.size(); ++i)
    list->setColumnWidth(i, std::max(0, pixels(widths[i], perPixel)));
}

QList<float> columnTwips(const QTreeView *list) {
  return list->property(kColumnsProperty).value<QList<float>>();
}

Line::Line(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setEnds(float x1, float y1, float x2, float y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  joinCollection(this);
  // The widget covers the line's bounding box, one pixel more each way for the pen.
  const double perPixel = twipsPerPixel(this);
  const int left = std::min(pixels(x1, perPixel), pixels(x2, perPixel));
  const int top = std::min(pixels(y1, perPixel), pixels(y2, perPixel));
  const int right = std::max(pixels(x1, perPixel), pixels(x2, perPixel));
  const int bottom = std::max(pixels(y1, perPixel), pixels(y2, perPixel));
  setGeometry(left, top, right - left + 1, bottom - top + 1);
  update();
}

void Line::setBorderColor(const QColor &color) {
  color_ = color;
  update();
}

void Line::setBorderStyle(Qt::PenStyle style) {
  style_ = style;
  update();
}

void Line::paintEvent(QPaintEvent *) {
  const double perPixel = twipsPerPixel(this);
  const QPoint origin = pos();
  QPainter painter(this);
  painter.setPen(QPen(color_, 0, style_));
  painter.drawLine(QPoint(pixels(x1_, perPixel), pixels(y1_, perPixel)) - origin,
                   QPoint(pixels(x2_, perPixel), pixels(y2_, perPixel)) - origin);
}

void onEvent(QObject *target, QEvent::Type type, std::function<void(QEvent *)> handler) {
  new EventHook(target, type, std::move(handler));
}
