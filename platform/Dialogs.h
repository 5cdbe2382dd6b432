#pragma once
// Every message box, input box, file dialog and beep goes through this seam so that tests can
// answer by script and check the exact texts shown.

#include <QString>

class QWidget;

class Dialogs {
public:
  enum class Buttons { Ok, YesNo };
  enum class Icon { None, Question, Information, Critical };
  // A Yes/No box closed without an answer answers No.
  enum class Answer { Ok, Yes, No };

  virtual ~Dialogs() = default;
  virtual Answer message(const QString &text, const QString &title, Buttons buttons = Buttons::Ok,
                         Icon icon = Icon::None) = 0;
  // Cancel answers the empty text, as the operator has always seen it.
  virtual QString input(const QString &prompt, const QString &title,
                        const QString &defaultText = QString()) = 0;
  // Each returns the chosen path, or the empty text on Cancel. Saving asks before an existing
  // file is replaced.
  virtual QString openFile(const QString &title, const QString &startPath, const QString &filter) = 0;
  virtual QString saveFile(const QString &title, const QString &startPath, const QString &filter) = 0;
  virtual void beep() = 0;
};

// The real boxes, parented to the active window.
class QtDialogs : public Dialogs {
public:
  Answer message(const QString &text, const QString &title, Buttons buttons, Icon icon) override;
  QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
  QString openFile(const QString &title, const QString &startPath, const QString &filter) override;
  QString saveFile(const QString &title, const QString &startPath, const QString &filter) override;
  void beep() override;
};
