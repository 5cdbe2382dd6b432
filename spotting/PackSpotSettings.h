#pragma once
// "PackSpot.txt", the DX cluster window's settings: fourteen values, one a line, in the order
// the window writes them.

#include <QString>

struct PackSpotFields {
  QString PortBaud, PortParity, PortDataBits, PortStopBits;
  int PortNumber = 0;
  QString PortPower;
  QString SpotMode;
  double ConvToHex = 0; // "Convert to Hex"
  int PortHandshaking = 0;
  double DXOnly = 0;        // written, never restored
  bool ListDisplay = false; // "List" rather than "Band Map"
  QString Hex, TelnetPort, TelnetHost;
};

// The fields the cluster window keeps in variables of the same names (the seven port values, the
// mode), copied from the file's fields to the window or back.
template <class From, class To> void copySpotVariables(const From &from, To &to) {
  to.PortBaud = from.PortBaud;
  to.PortParity = from.PortParity;
  to.PortDataBits = from.PortDataBits;
  to.PortStopBits = from.PortStopBits;
  to.PortNumber = from.PortNumber;
  to.PortPower = from.PortPower;
  to.SpotMode = from.SpotMode;
  to.PortHandshaking = from.PortHandshaking;
}

constexpr QLatin1String kPackSpotFile("PackSpot.txt");

QString packSpotText(const PackSpotFields &fields);

// Reads the fields in file order into `fields`, leaving the rest as they were; false at the first
// one missing or out of range (a port number or handshaking over 255).
bool readPackSpot(const QString &content, PackSpotFields &fields);
