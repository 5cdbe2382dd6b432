#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

Dialogs::Answer QtDialogs::message(const QString &text, const QString &title, Buttons buttons, Icon icon) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
  case Icon::None:
    box.setIcon(QMessageBox::NoIcon);
    break;
  case Icon::Information:
    box.setIcon(QMessageBox::Information);
    break;
  case Icon::Warning:
    box.setIcon(QMessageBox::Warning);
    break;
  case Icon::Critical:
    box.setIcon(QMessageBox::Critical);
    break;
  case Icon::Question:
    box.setIcon(QMessageBox::Question);
    break;
  }
  switch (buttons) {
  case Buttons::Ok:
    box.setStandardButtons(QMessageBox::Ok);
    break;
  case Buttons::OkCancel:
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case Buttons::YesNo:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  case Buttons::YesNoCancel:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  }
  switch (box.exec()) {
  case QMessageBox::Yes:
    return Answer::Yes;
  case QMessageBox::No:
    return Answer::No;
  case QMessageBox::Ok:
    return Answer::Ok;
  default:
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
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
