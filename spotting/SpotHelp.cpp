#include "spotting/SpotHelp.h"

#include <QStringList>

namespace {

const QStringList kGeneral = {
    "This form sets up DX spotting. Once it is set up, the main form shows a list or a band map (as "
    "chosen here) with the latest packet spots.",
    "The list shows the last 2 or 3 posts, depending on the screen size. The band map shows the prefixes "
    "posted for the current band; rest the mouse on a prefix to see its call and frequency in the tool tip "
    "or in the possible-duplicates box.",
    "The program keeps the last 50 DX posts of all bands in memory, and the band map cycles through them as "
    "they arrive. Posts under 10 minutes old are yellow, 10 to 30 minutes white, 30 to 60 minutes gray.",
    "With rig control, a right click on a spot in the band map or in the HF spectrum map tunes the rig. "
    "Right clicks do nothing in list mode.",
};

const QStringList kTelnet = {
    "Telnet: with an internet connection this option needs only this: connect to the internet, click Open "
    "on this form, type your call sign when you are asked for it and press enter.",
};

const QStringList kTnc = {
    "TNC: take the serial settings from your modem's documentation. Ctrl C or Esc sends the hex character "
    "that puts the TNC into command mode, without Enter; anything else you type is sent with Enter.",
    "With packet you need not connect to a packet station at all. Tick \"List DX Only\" to show only the "
    "packets identified as DX; recent posts are compared so that repeats are dropped. Ticking it is a good "
    "idea even when connected, to drop miscellaneous comments.",
};

const QStringList kAgw = {
    "The program also works with the AGW Packet Engine, which uses your existing sound card or a TNC to send "
    "and receive packet. To use it:",
    "- Install an AGW-compatible packet engine, for example the one Debian packages as direwolf; its "
    "documentation tells how to set it up.",
    "- Run the Packet Engine software and configure it as described on the AGW Packet Engine website for "
    "your "
    "sound card or TNC.",
    "- Click Open from this program.",
    "To send a connect request using the AGW packet engine, type in the format of",
    ":C Q7TLV     or to disconnect :D",
    "and press enter (you can also use the Esc key to add a colon).",
};

const QStringList kClosing = {
    "When you have configured your DX spotting options, click Open to initiate the communication.  Then "
    "click Done to return to the main form.",
    "A click on the list on the main form brings you back to this form. Choosing None gives the main form "
    "back its display without spots.",
};

const QStringList kHardware = {
    "The TNC mode was developed and tested with a common packet TNC. Reports on how it works with other "
    "hardware are welcome.",
};

} // namespace

QString spotHelpText(const QString &mode) {
  QList<const QStringList *> blocks;
  const auto is = [&mode](const char *name) {
    return mode.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
  };
  if (is("None"))
    blocks = {&kGeneral, &kTelnet, &kTnc, &kAgw, &kClosing, &kHardware};
  else if (is("TNC"))
    blocks = {&kTnc, &kClosing, &kHardware};
  else if (is("Telnet"))
    blocks = {&kTelnet, &kClosing};
  else if (is("AGW Packet Engine"))
    blocks = {&kAgw, &kClosing, &kHardware};
  QString text;
  for (const QStringList *block : blocks) {
    for (const QString &paragraph : *block)
      text += paragraph + QStringLiteral("\r\n\r\n");
  }
  return text;
}
