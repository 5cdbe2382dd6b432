#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

Dialogs::Answer QtDialogs::message(const QString &text, const QString &title, Buttons buttons, Icon icon) {
  const bool yesNo = buttons == Buttons::YesNo;
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setText(text);
  // In the order of Dialogs::Icon.
  constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Question, QMessageBox::Information,
                                         QMessageBox::Critical};
  box.setIcon(icons[static_cast<int>(icon)]);
  box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
  const bool yes = box.exec() == QMessageBox::Yes;
  if (!yesNo)
    return Answer::Ok;
  return yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? answer : QString();
}

QString QtDialogs::openFile(const QString &title, const QString &startPath, const QString &filter) {
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startPath, filter);
}

QString QtDialogs::saveFile(const QString &title, const QString &startPath, const QString &filter) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, startPath, filter);
}

void QtDialogs::beep() {
  QApplication::beep();
}
