#include "keying/frmCodePractice.h"

#include "app/AppContext.h"
#include "app/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "keying/CodePractice.h"
#include "logging/Form1.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/KeyPress.h"
#include "platform/VbText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kNavy(0, 0, 128);

QFont boldFont(double points) {
  QFont font = QApplication::font();
  font.setPointSizeF(points);
  font.setBold(true);
  return font;
}

// White on dark blue: a label's window colour, a text box's base (its scroll bars keep theirs).
void whiteOnNavy(QWidget *widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Text, Qt::white);
  palette.setColor(QPalette::Base, kNavy);
  widget->setPalette(palette);
  if (qobject_cast<QLabel *>(widget))
    setBackColor(widget, kNavy);
}

void putCaret(QPlainTextEdit *box, int position) {
  QTextCursor cursor = box->textCursor();
  cursor.setPosition(std::clamp(position, 0, static_cast<int>(box->toPlainText().size())));
  box->setTextCursor(cursor);
}

// Changes the text sent and keeps its end in view, the caret before the last character.
void setSentText(QPlainTextEdit *box, const QString &text) {
  box->setPlainText(text);
  if (!text.isEmpty())
    putCaret(box, static_cast<int>(text.size()) - 1);
}

// A count box's number, or its default put into the box when it holds none.
double countIn(TextBox *box, const QString &fallback) {
  auto number = vb::numberIn(box->text());
  if (!number) {
    box->setText(fallback);
    number = vb::numberIn(fallback);
  }
  return *number;
}

} // namespace

frmCodePractice::frmCodePractice(AppContext &context) : ctx(context) {
  setWindowTitle(QStringLiteral("On the Air Code Practice"));
  setModal(true);
  seedSource = [this] { return static_cast<std::uint64_t>(ctx.clock.timeGetTime()); };
  buildControls();
}

void frmCodePractice::buildControls() {
  const auto button = [this](const QString &text, double left, double top, double width, double height,
                             bool bold) {
    auto *b = placed<QPushButton>(this, left, top, width, height, text);
    b->setAutoDefault(false);
    if (bold)
      b->setFont(boldFont(8.25));
    return b;
  };
  const auto label = [this](const QString &text, double left, double top, double width, double height) {
    auto *l = placed<QLabel>(this, left, top, width, height, text);
    l->setWordWrap(true);
    return l;
  };
  const auto textArea = [this](double top) {
    auto *t = placed<QPlainTextEdit>(this, 240, top, 6255, 2535);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(11.25);
    t->setFont(font);
    whiteOnNavy(t);
    return t;
  };

  // Text5 comes first in the tab order, so it has the focus when the window opens.
  Text5 = placed<TextBox>(this, 9000, 6210, 255, 285);
  Label1 = label(QStringLiteral("You can transmit morse code practice using randomly generated characters, "
                                "copying and pasting text or typing text into the \"Text to Send\" text "
                                "box.  Click Send to send the characters. "),
                 240, 120, 9015, 495);
  Label2 = label(QStringLiteral(" Text to Send"), 240, 650, 1815, 300);
  Command6 = button(QStringLiteral("&Clear"), 2280, 680, 975, 255, false);
  Text1 = textArea(960);
  Command3 = button(QStringLiteral("&Send"), 6720, 960, 975, 735, true);
  Command4 = button(QStringLiteral("S&top"), 8040, 960, 975, 735, true);
  Command7 = button(QStringLiteral("&Faster"), 6840, 2040, 735, 375, true);
  Label7 = label(QStringLiteral("WPM"), 8160, 2040, 735, 375);
  Command8 = button(QStringLiteral("S&lower"), 6840, 2520, 735, 375, true);
  Label8 = label(QStringLiteral("13"), 8160, 2520, 735, 375);
  Command1 = button(QStringLiteral("&Paste from Clipboard"), 6720, 3120, 2535, 375, true);
  Label3 = label(QStringLiteral(" Text Sent"), 240, 3645, 1815, 300);
  Command5 = button(QStringLiteral("Cl&ear"), 2280, 3680, 975, 255, false);
  Text2 = textArea(3960);
  Command2 = button(QStringLiteral("&Generate Random Characters"), 6720, 3960, 2535, 495, false);
  label(QStringLiteral("Generate"), 6720, 4720, 855, 255);
  Text3 = placed<TextBox>(this, 7560, 4680, 495, 285);
  Text3->setText(QStringLiteral("10"));
  label(QStringLiteral("groups of"), 8280, 4720, 855, 255);
  Text4 = placed<TextBox>(this, 6960, 5040, 495, 285);
  Text4->setText(QStringLiteral("5"));
  label(QStringLiteral("characters each."), 7680, 5100, 1455, 255);
  auto *frame = placed<QGroupBox>(this, 6720, 5400, 2535, 615, QStringLiteral("Include:"));
  Option1 = placed<QRadioButton>(frame, 120, 240, 1335, 195, QStringLiteral("Letters Only"));
  Option2 = placed<QRadioButton>(frame, 1680, 240, 615, 195, QStringLiteral("All"));
  Option2->setChecked(true);
  label(QStringLiteral("Type characters here to send text from keyboard:"), 6720, 6120, 2175, 495);
  for (QLabel *l : {Label2, Label3, Label7})
    l->setFont(boldFont(8.25));
  Label8->setFont(boldFont(9.75));
  for (QLabel *l : {Label2, Label3})
    whiteOnNavy(l);
  const QSizeF outer = frameTwips(this);
  placeTwips(this, 0, 0, 9480 + outer.width(), 6690 + outer.height());

  connect(Command1, &QPushButton::clicked, this, &frmCodePractice::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmCodePractice::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmCodePractice::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &frmCodePractice::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &frmCodePractice::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &frmCodePractice::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &frmCodePractice::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &frmCodePractice::Command8_Click);
  onKeyPress(Text1, Form1::Capital);
  Text5->KeyPress = [this](int &KeyAscii) { Text5_KeyPress(KeyAscii); };
}

void frmCodePractice::Form_Load() {
  ScreenScaling::WorkAreaCopy(*this, ctx);
  showSpeed();
  CodePracticeChars = codePracticeChars();
}

void frmCodePractice::showSpeed() {
  Label8->setText(ctx.window<CWFrm>().Text11->text());
}

void frmCodePractice::Command2_Click() {
  const double groups = countIn(Text3, QStringLiteral("10"));
  const double perGroup = countIn(Text4, QStringLiteral("5"));
  const int alphabet = Option1->isChecked() ? kPracticeLetters : kPracticeAll;
  Text1->setPlainText(randomGroups(groups, perGroup, alphabet, seedSource()));
}

void frmCodePractice::Command3_Click() {
  KeyingState &k = ctx.keying;
  AppContext &c = ctx;
  const QPointer<frmCodePractice> alive(this);
  const auto gone = [&] { return !alive || closed_; };
  PracticeText = Text1->toPlainText();
  Text1->setFocus();
  for (int i = 1; i <= PracticeText.size(); ++i) {
    PracticeText = Text1->toPlainText();
    k.CWBuffer = PracticeText.mid(i - 1, 1);
    if (k.CWSending == 0)
      c.window<CWFrm>().LoopThroughCWBuffer();
    if (gone())
      return;
    // Taken again: Stop empties the practice text while the character is keyed.
    const QString sent = PracticeText.mid(i - 1, 1);
    if (!sent.isEmpty())
      setSentText(Text2, Text2->toPlainText() + sent);
    putCaret(Text1, i);
    c.doEvents();
    if (gone())
      return;
  }
}

void frmCodePractice::Command4_Click() {
  PracticeText.clear();
  ctx.keying.CWBuffer.clear();
}

void frmCodePractice::Command1_Click() {
  Text1->setPlainText(QApplication::clipboard()->text());
}
void frmCodePractice::Command6_Click() {
  Text1->clear();
}
void frmCodePractice::Command5_Click() {
  Text2->clear();
}

void frmCodePractice::Command7_Click() {
  ctx.window<CWFrm>().UpDown1_UpClick();
  showSpeed();
}

void frmCodePractice::Command8_Click() {
  ctx.window<CWFrm>().UpDown1_DownClick();
  showSpeed();
}

void frmCodePractice::Text5_KeyPress(int &KeyAscii) {
  const int key = Form1::Capital(KeyAscii);
  KeyAscii = 0;
  KeyingState &k = ctx.keying;
  if (key == 8) {
    if (!k.CWBuffer.isEmpty())
      k.CWBuffer.chop(1);
    const QString sent = Text2->toPlainText();
    if (!sent.isEmpty())
      setSentText(Text2, sent.chopped(1));
    return;
  }
  setSentText(Text2, Text2->toPlainText() + QChar(key));
  k.CWBuffer += QChar(key);
  if (k.CWSending == 0)
    ctx.window<CWFrm>().LoopThroughCWBuffer();
}

bool frmCodePractice::Form_Unload() {
  ctx.keying.CWBuffer.clear();
  PracticeText.clear();
  if (ctx.keying.CWSending == 1)
    return false;
  closed_ = true;
  return true;
}

// The close box comes here too, through QDialog::closeEvent, and stays open when refused.
void frmCodePractice::reject() {
  if (Form_Unload())
    QDialog::reject();
}
