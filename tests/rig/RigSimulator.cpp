#include "tests/rig/RigSimulator.h"

#include "rig/RigSettings.h"
#include "tests/support/PortLinks.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

// The kernel's termios with the rates as numbers, which custom rates (56,000) need.
struct termios2 {
  tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
  cc_t c_line;
  cc_t c_cc[19];
  speed_t c_ispeed, c_ospeed;
};

namespace {

QByteArray bcdLeastFirst(std::int64_t value, int bytes) {
  QByteArray out;
  for (int i = 0; i < bytes; ++i) {
    const int two = int(value % 100);
    out.append(char(((two / 10) << 4) | (two % 10)));
    value /= 100;
  }
  return out;
}

QByteArray bigEndian(std::uint32_t value, int bytes) {
  QByteArray out;
  for (int i = bytes - 1; i >= 0; --i)
    out.append(char((value >> (8 * i)) & 0xFF));
  return out;
}

std::int64_t bcdValue(const QByteArray &bytes, bool leastFirst) {
  std::int64_t value = 0;
  for (int i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[leastFirst ? bytes.size() - 1 - i : i]);
    value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
  }
  return value;
}

} // namespace

RigSimulator::RigSimulator(const QString &rigType) : rigType_(rigType) {
  char name[128] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
    throw std::runtime_error("openpty failed");
  device_ = QString::fromLocal8Bit(name);
  termios raw{};
  ::tcgetattr(slave_, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(slave_, TCSANOW, &raw);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (rigType == QLatin1String("Icom 735") || rigType == QLatin1String("Ten Tec Omni VI"))
    civAddress_ = 0x04;
}

RigSimulator::~RigSimulator() {
  hangUp();
}

void RigSimulator::hangUp() {
  for (int *fd : {&master_, &slave_}) {
    if (*fd >= 0)
      ::close(std::exchange(*fd, -1));
  }
}

void RigSimulator::linkAs(int port) const {
  linkComPort(port, device_);
}

void RigSimulator::holdOutput(bool held) {
  ::tcflow(slave_, held ? TCOOFF : TCOON);
}

int RigSimulator::baud() const {
  struct termios2 t {};
  ::ioctl(slave_, TCGETS2, &t);
  return int(t.c_ospeed);
}

bool RigSimulator::rtsCts() const {
  struct termios2 t {};
  ::ioctl(slave_, TCGETS2, &t);
  return (t.c_cflag & CRTSCTS) != 0;
}

void RigSimulator::send(const QByteArray &bytes) {
  QByteArray out = bytes;
  if (cutNextAt > 0 && cutNextAt < out.size()) {
    held_ += out.mid(cutNextAt);
    out.truncate(cutNextAt);
    cutNextAt = 0;
  }
  if (!out.isEmpty()) [[maybe_unused]]
    const auto n = ::write(master_, out.constData(), size_t(out.size()));
}

void RigSimulator::flood(int bytes) {
  QByteArray noise(bytes, 0);
  for (int i = 0; i < bytes; ++i)
    noise[i] = char('a' + i % 26);
  [[maybe_unused]] const auto n = ::write(master_, noise.constData(), size_t(noise.size()));
}

int RigSimulator::serve() {
  if (!held_.isEmpty())
    send(std::exchange(held_, QByteArray()));
  char buffer[4096];
  int total = 0;
  for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) {
    pending_.append(buffer, n);
    received.append(buffer, n);
    total += int(n);
  }
  const RigFamily family = rigFamily(rigType_);
  // Cut the input into whole commands of the family's framing.
  while (!pending_.isEmpty()) {
    qsizetype length = 0;
    if (family == RigFamily::Yaesu5Byte) {
      length = pending_.size() >= 5 ? 5 : 0;
    } else if (family == RigFamily::Icom) {
      const qsizetype fd = pending_.indexOf('\xFD');
      length = fd < 0 ? 0 : fd + 1;
    } else if (family == RigFamily::TenTecPanel) {
      length = pending_.startsWith("*A") ? (pending_.size() >= 7 ? 7 : 0) : (pending_.size() >= 3 ? 3 : 0);
    } else {
      const char end = (family == RigFamily::Orion) ? '\r' : ';';
      const qsizetype at = pending_.indexOf(end);
      length = at < 0 ? 0 : at + 1;
    }
    if (length == 0)
      break;
    const QByteArray command = pending_.left(length);
    pending_.remove(0, length);
    frames.push_back(command);
    if (!silent)
      answer(command);
  }
  return total;
}

QByteArray RigSimulator::civFrame(unsigned char command, const QByteArray &data) const {
  QByteArray f = QByteArray::fromHex("FEFEE0");
  f.append(char(civAddress_));
  f.append(char(command));
  f.append(data);
  f.append('\xFD');
  return f;
}

// The opcode 10 status record, frequency and mode at each model's positions (bytes from 1).
QByteArray RigSimulator::yaesuStatus() const {
  QByteArray r(16, '\0');
  const std::int64_t tens = hertz / 10;
  if (rigType_ == QLatin1String("Yaesu 757 GX II")) {
    r.replace(5, 4, bcdLeastFirst(tens, 4));
    r[9] = cw ? 0x02 : 0x01;
    return r;
  }
  if (rigType_ == QLatin1String("Yaesu 890"))
    r.replace(2, 3, bigEndian(std::uint32_t(tens), 3));
  else if (rigType_ == QLatin1String("Yaesu 920"))
    r.replace(1, 4, bigEndian(std::uint32_t(hertz), 4));
  else if (rigType_ == QLatin1String("Yaesu 1000"))
    r.replace(1, 4, bigEndian(std::uint32_t(tens) << 4, 4));
  else
    r.replace(1, 3, bigEndian(std::uint32_t(tens), 3));
  const bool is920 = rigType_ == QLatin1String("Yaesu 920");
  r[7] = char(cw ? (is920 ? 1 : 2) : (is920 ? 0 : 1));
  return r;
}

void RigSimulator::answer(const QByteArray &c) {
  const auto family = rigFamily(rigType_);
  if (family == RigFamily::Kenwood || family == RigFamily::KenwoodIF) {
    if (c == "FA;")
      send("FA" + QByteArray::number(hertz).rightJustified(11, '0') + ";");
    else if (c == "MD;")
      send(cw ? "MD3;" : "MD2;");
    else if (c == "ID;")
      send("ID019;");
    else if (c == "PS;")
      send("PS1;");
    else if (c == "AI;")
      send("AI0;");
    else if (c == "FB;")
      send("FB" + QByteArray::number(hertz).rightJustified(11, '0') + ";");
    else if (c == "IF;")
      send("IF" + QByteArray::number(hertz).rightJustified(11, '0') + "     +0000000000" + (cw ? "3" : "2") +
           "0000000;");
    else if ((c.startsWith("FA") || c.startsWith("FB")) && c.size() == 14)
      hertz = c.mid(2, 11).toLongLong();
    else if (c.startsWith("MD") && c.size() == 4)
      cw = c[2] == '3';
  } else if (family == RigFamily::FTdx9000) {
    if (c == "FA;")
      send("FA" + QByteArray::number(hertz).rightJustified(8, '0') + ";");
    else if (c == "MD0;")
      send(cw ? "MD03;" : "MD02;");
    else if (c == "ID;")
      send("ID0101;");
    else if (c == "AI;" || c == "VS;" || c == "FT;" || c == "PS;")
      send(c.left(2) + (c == "PS;" ? "1;" : "0;"));
    else if (c == "FB;")
      send("FB" + QByteArray::number(hertz).rightJustified(8, '0') + ";");
    else if (c == "SH0;")
      send("SH000;");
    else if (c.startsWith("FA") && c.size() == 11)
      hertz = c.mid(2, 8).toLongLong();
    else if (c.startsWith("MD0") && c.size() == 5)
      cw = c[3] == '3';
  } else if (family == RigFamily::Icom) {
    send(c); // the bus echo
    if (c.size() < 6 || !c.startsWith("\xFE\xFE"))
      return;
    const auto command = static_cast<unsigned char>(c[4]);
    const QByteArray data = c.mid(5, c.size() - 6);
    const bool fourByte = rigType_ == QLatin1String("Icom 735");
    if (command == 0x03) {
      send(civFrame(0x03, bcdLeastFirst(hertz, fourByte ? 4 : 5)));
    } else if (command == 0x04) {
      send(civFrame(0x04, QByteArray::fromHex(cw ? "0301" : "0101")));
    } else if (command == 0x05 || command == 0x06) {
      if (command == 0x05)
        hertz = bcdValue(data, true);
      else
        cw = data.startsWith('\x03');
      send(civFrame(0xFB, {}));
    }
  } else if (family == RigFamily::Yaesu5Byte) {
    const auto op = static_cast<unsigned char>(c[4]);
    if (op == 0x03)
      send(QByteArray::fromHex(QByteArray::number(hertz / 10).rightJustified(8, '0')) +
           char(cw ? 0x02 : 0x01));
    else if (op == 0x10)
      send(yaesuStatus());
    else if (op == 0x01)
      hertz = bcdValue(c.left(4), false) * 10;
    else if (op == 0x0A)
      hertz = bcdValue(c.left(4), true) * 10;
    else if (op == 0x07 || op == 0x0C)
      cw = (op == 0x07 ? c[0] : c[3]) == 0x02;
  } else if (family == RigFamily::TenTecPanel) {
    if (c == "?A\r")
      send("A" + bigEndian(std::uint32_t(hertz), 4) + "\r");
    else if (c == "?M\r")
      send(cw ? "M33\r" : "M11\r");
    else if (c == "?B\r")
      send("B" + bigEndian(std::uint32_t(hertz), 4) + "\r");
    else if (c == "?O\r" || c == "?W\r")
      send(c.mid(1, 1) + QByteArray(1, c == "?W\r" ? '\x0a' : '\0') + "\r");
    else if (c.startsWith("*A"))
      hertz = std::int64_t(static_cast<unsigned char>(c[2])) << 24 | static_cast<unsigned char>(c[3]) << 16 |
              static_cast<unsigned char>(c[4]) << 8 | static_cast<unsigned char>(c[5]);
  } else if (family == RigFamily::Orion) {
    if (c == "?AF\r")
      send("@AF" + QByteArray::number(hertz) + "\r");
    else if (c == "?RMM\r")
      send(cw ? "@RMM3\r" : "@RMM0\r");
    else if (c.startsWith("*AF"))
      hertz = c.mid(3, c.size() - 4).toLongLong();
  }
}
