#pragma once
// The hidden window of the link to the outside RTTY program: twenty boxes named after the
// items they carry. txtB... boxes go out (each change is sent while the box is linked), txtS...
// boxes come in and fill the main window's call, report-received and serial-received boxes.
// Never shown; loaded by station setup's connect and kept until the program ends.

#include "keying/RttyLink.h"

#include <QWidget>

#include <array>
#include <set>

class AppContext;
class TextBox;

class frmDigitalSource : public QWidget {
  Q_OBJECT
public:
  explicit frmDigitalSource(AppContext &context);

  AppContext &ctx;
  TextBox *txtBMyCall = nullptr, *txtBUrCall = nullptr;
  TextBox *txtBField1 = nullptr, *txtBField2 = nullptr, *txtBField3 = nullptr, *txtBField4 = nullptr,
          *txtBField5 = nullptr, *txtBField6 = nullptr, *txtBField7 = nullptr, *txtBField8 = nullptr;
  TextBox *txtSMyCall = nullptr, *txtSUrCall = nullptr;
  TextBox *txtSField1 = nullptr, *txtSField2 = nullptr, *txtSField3 = nullptr, *txtSField4 = nullptr,
          *txtSField5 = nullptr, *txtSField6 = nullptr, *txtSField7 = nullptr, *txtSField8 = nullptr;
  // The RTTY program's server; tests give each peer a name of its own.
  QString serverName = kRttyServerName;

  // The boxes in control order: the outgoing ones, then the incoming ones.
  std::array<TextBox *, 20> boxes() const;

  // Links every box in control order, each emptied first, and says how it went.
  void ConnectWithQ4ZD();
  // Ends the conversation.
  void Form_Unload();

private:
  void boxChanged(TextBox *box);
  void arrived(const QString &item, const QString &text);
  RttyChannel channel_;
  std::set<TextBox *> linked_;
  TextBox *fromPeer_ = nullptr; // the box the RTTY program is setting: not sent back
};
