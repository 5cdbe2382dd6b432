#pragma once
// Our client of an AGW-compatible packet engine (direwolf, for one), speaking the engine's public
// TCP/IP API: every frame is a 36-byte little-endian header followed by its data. It offers the
// four calls the cluster window was written against, with their arguments and results.

#include <QByteArray>
#include <QString>
#include <QTcpSocket>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace agw {

constexpr int headerSize = 36;
constexpr int callSize = 10;
// Longest AX.25 address text with its SSID ("Q7ABC-15" and the like).
constexpr int maxCallLength = 9;

struct Frame {
  std::uint8_t port = 0;
  char kind = 0;
  std::uint8_t pid = 0;
  // The header's 10 bytes as they came, NULs included; shorter texts are padded when encoded.
  QByteArray callFrom, callTo;
  QByteArray data;
};

QByteArray encode(const Frame &frame);

// Takes every whole frame off the front of `stream`, leaving an incomplete rest. A header
// announcing more data than any engine sends means the stream is out of step: it is emptied.
std::vector<Frame> takeFrames(QByteArray &stream);

} // namespace agw

class AgwClient {
public:
  static constexpr std::uint16_t enginePort = 8000;
  // Most data text handed over per frame.
  static constexpr int dataBufferSize = 4000;
  // Frames received and not yet taken; beyond this many the oldest are dropped.
  static constexpr std::size_t maxWaitingFrames = 1000;

  // Tests point it at an engine of their own; the program always uses 127.0.0.1:8000.
  explicit AgwClient(std::uint16_t port = enginePort);
  ~AgwClient();

  // Registers `call` and turns monitoring on: 1 when ready, 0 on any failure. Blocks up to 5 s
  // for the connection and 5 s for the engine's answer. The title has no counterpart here.
  int AGWStartPoll(const QString &call, const QString &title, int callLength, int titleLength);
  // `kind` is the frame kind's character code: 'c' connect, 'D' data, 'd' disconnect; 'P' has
  // nothing to do on this API. 1 when a frame was written, else 0.
  int AGWPutData(const QString &call, const QString &data, int kind, int length, int radioPort);
  // One waiting frame, without blocking: 1 and the frame, or 0 when none has arrived. The call
  // buffer is the sender's header bytes up to and including its NUL; the data loses one
  // trailing NUL and is cut to 4000 characters. The kind is the frame's kind byte, 0 to 255, with
  // 'C' handed over as 'c'.
  int AGWGetData(QString &callBuffer, QString &dataBuffer, int &kind, int &length, int &spare);
  void AGWClose();

  bool registered() const { return registered_; }

private:
  bool write(const agw::Frame &frame);
  void keep(agw::Frame &&frame);
  void readWaiting();
  bool waitForRegistration();
  agw::Frame frameFromMe(char kind) const;

  std::uint16_t port_;
  QTcpSocket socket_;
  QByteArray stream_;
  std::deque<agw::Frame> queue_;
  QByteArray myCall_;
  bool registered_ = false;
};
