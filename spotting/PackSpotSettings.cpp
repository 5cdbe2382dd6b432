#include "spotting/PackSpotSettings.h"

#include "platform/VbText.h"

QString packSpotText(const PackSpotFields &f) {
  QString text;
  for (const QString &value : {f.PortBaud, f.PortParity, f.PortDataBits, f.PortStopBits})
    text += vb::WriteLine().text(value).str();
  text += vb::WriteLine().number(f.PortNumber).str();
  text += vb::WriteLine().text(f.PortPower).str();
  text += vb::WriteLine().text(f.SpotMode).str();
  text += vb::WriteLine().number(f.ConvToHex).str();
  text += vb::WriteLine().number(f.PortHandshaking).str();
  text += vb::WriteLine().number(f.DXOnly).str();
  text += vb::WriteLine().boolean(f.ListDisplay).str();
  for (const QString &value : {f.Hex, f.TelnetPort, f.TelnetHost})
    text += vb::WriteLine().text(value).str();
  return text;
}

bool readPackSpot(const QString &content, PackSpotFields &f) {
  vb::FieldReader in(content);
  return vb::readInto(in.text(), f.PortBaud) && vb::readInto(in.text(), f.PortParity) &&
         vb::readInto(in.text(), f.PortDataBits) && vb::readInto(in.text(), f.PortStopBits) &&
         vb::readInto(in.integer(0, 255), f.PortNumber) && vb::readInto(in.text(), f.PortPower) &&
         vb::readInto(in.text(), f.SpotMode) && vb::readInto(in.number(), f.ConvToHex) &&
         vb::readInto(in.integer(0, 255), f.PortHandshaking) && vb::readInto(in.number(), f.DXOnly) &&
         vb::readInto(in.boolean(), f.ListDisplay) && vb::readInto(in.text(), f.Hex) &&
         vb::readInto(in.text(), f.TelnetPort) && vb::readInto(in.text(), f.TelnetHost);
}
