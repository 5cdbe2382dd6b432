#pragma once
// Text boxes and labels that behave as the operator's keys and the program's logic expect:
// the selection survives a change of focus (shown only while focused), Tab does not select the
// whole text, text set by the program leaves the caret at the start, and a label tells when its
// caption really changes. Then the placing of controls in twips and the scaling rules' model.

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QRectF>
#include <QSizeF>

class QTreeView;

#include <functional>
#include <utility>

// When a key typed into a window that holds keys back takes its turn (see FormKeys::turn).
enum class KeyTurn {
  InOrder, // behind the keys held, else at once
  AtOnce,  // at once, also ahead of keys held: it acts on what holds them
  Wait,    // held until the window lets it through
  Drop,    // the hold ended without letting the keys in: every key held is dropped
};

// The key handlers of a window that sees its controls' keys before they do: the key going down
// (virtual-key code, 0 for a key without one, and shift state, see KeyCodes.h) and the character it types.
// Each may change its code by reference; 0 cancels the key. A key typed anywhere in the window
// (its menu bar and menu keys too) for which `turn` answers Wait is held, and so is every key
// while held keys are on their way. Held keys come again in order, as if typed then, as soon as
// `turn` lets the first through: to the window they were typed in (never to its menu bar: to the
// field the menu bar took the focus from), or to the menu, modal window or window an earlier held
// key brought up; never into a menu or modal window the operator opened meanwhile, which they
// wait behind. `refused` tells of a held menu key whose menu is no longer where typing goes.
struct FormKeys {
  std::function<void(int &KeyCode, int Shift)> keyDown;
  std::function<void(int &KeyAscii)> keyPress;
  std::function<KeyTurn(int KeyCode)> turn = {}; // none: no key is held back
  std::function<void()> refused = {};
};

class TextBox : public QLineEdit {
  Q_OBJECT
public:
  explicit TextBox(QWidget *parent = nullptr);
  // Hides QLineEdit::setText: the caret goes to the start, as the program's rules assume. The
  // text is the program's own: isModified() is false until the operator types.
  void setText(const QString &text);
  // Sets text the program puts in for the operator (a name completed from the letters typed, a
  // key carried on from the box before): it counts as typed, as isModified() tells.
  void setTyped(const QString &text);
  // Where the selection starts, or the caret when nothing is selected (Qt leaves the caret at
  // either end of a selection).
  int selStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

  // The box's key filter: it gets the code of each typed character (see keyAscii) and may
  // change it; 0 drops the key, another code types that character in its place. A key whose
  // code nobody changed is the box's own (Enter, the clipboard keys) unless setKeysOnly was called.
  std::function<void(int &KeyAscii)> KeyPress;
  // The window's handlers see each key first; a character they drop never reaches KeyPress.
  void setFormKeys(FormKeys form) { form_ = std::move(form); }
  // Text then comes in only through the key handlers and the program: a character is typed
  // by the box only as a handler leaves it, control characters type nothing, and the context
  // menu, the clipboard and undo keys, middle-click paste and drag-and-drop are off.
  void setKeysOnly();

signals:
  // The focus came from or went to another control of the program; not sent when only the
  // window gained or lost the activation (a message box, another program, a menu), as the old
  // controls did not. Handlers that move the focus themselves connect queued.
  void gotFocus();
  void lostFocus();

protected:
  bool event(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  // Types a character code as the box's own key would: Backspace deletes, a printable
  // character replaces the selection; other codes type nothing.
  void typeKey(int KeyAscii);
  // The selection is kept while another control has the focus, but drawn only in the box that
  // has it, so that the operator sees at a glance where typing goes. The same for the cursor.
  void showSelection(bool shown);
  void hideCursor();
  FormKeys form_;
  bool keysOnly_ = false;
};

// Lets the window's handlers see the keys of one of its controls before the control does; a
// key they cancel or drop does not reach it.
void previewKeys(QWidget *control, FormKeys form);

// Completes the key layer; called once, after the application object is made. From now on, work
// that handlers deferred (focus handlers connected queued, single shots, and work those queue in
// turn) runs before the next typed key is delivered, however many keys the window system holds:
// keys typed ahead while the program was busy are handled as if typed one at a time. And a key
// reaches its window's handlers once, whichever of the window's controls previews it first, even
// when a control ignores it and it goes on to a previewing control or window around it.
void installKeyLayer();

// Runs `act`, a command's work on what typing into `window` acts on (a spot's call put into the
// entry row, a band picked), in the turn a key typed into `window` now would take: at once, or
// held in its place among the keys held, let go with them or dropped with them. Work that a key
// being let go sets off (a band it picks in a menu) goes at once, as part of that key.
void actInTurn(QWidget *window, std::function<void()> act);

// Asks the window system to make `window` active, as the old platform's focus moves did, but
// only while one of the program's windows has the system's focus: the program never takes it
// from another program, where the operator may be typing while held keys are let go.
void activateWithinProgram(QWidget &window);

// Paints the control's background in `color`.
void setBackColor(QWidget *widget, const QColor &color);

class Label : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;
  // Hides QLabel::setText so that `changed` fires on every real change of the caption.
  void setText(const QString &text);

signals:
  void changed();
};

// The kinds of control that the scaling rules tell apart. Most follow from the widget's class
// (QTreeView list view, QListWidget list box, QPushButton, QLineEdit/QPlainTextEdit/QTextEdit
// text box, QLabel, QProgressBar, QCheckBox, QRadioButton option button, QGroupBox frame,
// QComboBox, QScrollBar, a spin box as "other visual"); a window tags the rest with
// setControlKind: an image (a QLabel showing a picture), a picture box, a shape.
enum class ControlKind {
  ListView,
  ListBox,
  Button,
  TextBox,
  Label,
  ProgressBar,
  Image,
  CheckBox,
  OptionButton,
  Frame,
  ComboBox,
  PictureBox,
  Shape,
  ScrollBar,
  OtherVisual,
  Line,
};
void setControlKind(QWidget *control, ControlKind kind);
ControlKind controlKind(const QWidget *control);
// Whether controls of the kind carry a font of their own (images, shapes, progress bars and
// the like have none, so font scaling passes them over).
bool hasFont(ControlKind kind);

// Lengths are twips, 1,440 to the inch: 15 to a pixel on a 96 dpi screen.
double twipsPerPixel(const QWidget *widget);

// Places a control at a rectangle in twips of its container, or a window (outer size, caption
// and borders included) on the screen. The rectangle is kept on the widget (property
// "designTwips", a QRectF) as the source of truth: the scaling rules read and rewrite it, and
// pixels are rounded only here, so rescaling never adds up rounding. Each control placed joins
// its window's control collection in the order of first placement.
void placeTwips(QWidget *widget, double left, double top, double width, double height);

// Makes a control of class C on `parent` (the constructor takes `args` and then the parent) and
// places it as placeTwips does.
template <class C, class... Args>
C *placed(QWidget *parent, double left, double top, double width, double height, Args &&...args) {
  auto *control = new C(std::forward<Args>(args)..., parent);
  placeTwips(control, left, top, width, height);
  return control;
}

// Runs `handler` for every event of `type` that reaches `target`, before the target sees it;
// the event goes on to the target. For the control events that Qt has no signal for.
void onEvent(QObject *target, QEvent::Type type, std::function<void(QEvent *)> handler);

// The rectangle last placed, or the empty one for a widget never placed.
QRectF twipsRect(const QWidget *widget);
bool isPlaced(const QWidget *widget);
// Widgets placed in twips inside `window` (frames' contents included, other windows' not), in
// the order they were first placed.
QList<QWidget *> placedControls(const QWidget *window);

// The outer size of a window is its client area plus a fixed frame: 8 pixels of borders across,
// 31 of caption and borders down (none for a frameless window), and 20 more for a menu bar. Qt knows the real
// frame only after the first show (and without a window manager there is none), so this model stands in
// wherever an outer size is used.
inline constexpr int kFrameWidthPx = 8;
inline constexpr int kFrameHeightPx = 31;
inline constexpr int kMenuBarHeightPx = 20;
// Outer size less client size, in twips.
QSizeF frameTwips(const QWidget *window);

// The font the windows are laid out for: the desktop's face at the size whose digits are 90
// twips wide (6 pixels at 96 dpi), as the old platform's dialog font was. The windows scale it
// with the screen, so the desktop's own font size must not reach them: at its usual 9 to 11
// points the list columns and captions drawn for the old font no longer hold their texts.
QFont designFont(const QFont &desktop);
// Makes the design font the program's default. Menus and tooltips keep the desktop's font, as
// the old platform drew them in its own. Called once, before the first window is made.
void useDesignFont();

// A window's own font, kept apart from the widget's font so that changing it never reaches the
// controls (each has a font of its own); controls created at run time take it.
QFont formFont(const QWidget *window);
void setFormFont(QWidget *window, const QFont &font);

// Column widths of a list view in twips, from the first column; a width of 0 hides its column.
void setColumnTwips(QTreeView *list, const QList<float> &widths);
QList<float> columnTwips(const QTreeView *list);

// A straight line drawn on its container between two points given in twips of the container.
// It takes no mouse input.
class Line : public QWidget {
  Q_OBJECT
public:
  explicit Line(QWidget *parent);
  void setEnds(float x1, float y1, float x2, float y2);
  float X1() const { return x1_; }
  float Y1() const { return y1_; }
  float X2() const { return x2_; }
  float Y2() const { return y2_; }
  void setBorderColor(const QColor &color);
  void setBorderStyle(Qt::PenStyle style);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  QColor color_ = Qt::black;
  Qt::PenStyle style_ = Qt::SolidLine;
};
