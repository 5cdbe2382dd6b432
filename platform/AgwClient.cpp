#include "platform/AgwClient.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QtEndian>

namespace agw {

namespace {

// No engine sends frames anywhere near this long; a header that says so is garbage.
constexpr quint32 maxDataLength = 65536;

QByteArray callField(const QByteArray &call) {
  QByteArray field = call.left(callSize);
  field.append(callSize - field.size(), '\0');
  return field;
}

// A received frame's call field, shared with the last frame's when it is the same: monitored
// traffic mostly goes from one station to one destination.
const QByteArray &sharedCall(QByteArray &last, const char *field) {
  if (QByteArrayView(field, callSize) != last)
    last = QByteArray(field, callSize);
  return last;
}

quint32 dataLength(const QByteArray &stream, qsizetype header) {
  return qFromLittleEndian<quint32>(stream.constData() + header + 28);
}

} // namespace

QByteArray encode(const Frame &frame) {
  QByteArray bytes(headerSize, '\0');
  bytes[0] = char(frame.port);
  bytes[4] = frame.kind;
  bytes[6] = char(frame.pid);
  bytes.replace(8, callSize, callField(frame.callFrom));
  bytes.replace(18, callSize, callField(frame.callTo));
  qToLittleEndian<quint32>(quint32(frame.data.size()), bytes.data() + 28);
  return bytes + frame.data;
}

std::vector<Frame> takeFrames(QByteArray &stream) {
  // The whole frames' extent first, so that the frames go into a vector made for their number.
  qsizetype end = 0, count = 0;
  bool outOfStep = false;
  while (stream.size() - end >= headerSize) {
    const quint32 length = dataLength(stream, end);
    outOfStep = length > maxDataLength;
    if (outOfStep || stream.size() - end < headerSize + qsizetype(length))
      break;
    end += headerSize + length;
    ++count;
  }
  std::vector<Frame> frames;
  frames.reserve(count);
  QByteArray from, to;
  for (qsizetype at = 0; at < end; at += headerSize + frames.back().data.size()) {
    Frame frame;
    frame.port = std::uint8_t(stream[at]);
    frame.kind = stream[at + 4];
    frame.pid = std::uint8_t(stream[at + 6]);
    frame.callFrom = sharedCall(from, stream.constData() + at + 8);
    frame.callTo = sharedCall(to, stream.constData() + at + 18);
    frame.data = stream.mid(at + headerSize, dataLength(stream, at));
    frames.push_back(std::move(frame));
  }
  if (outOfStep)
    stream.clear();
  else
    stream.remove(0, end);
  return frames;
}

} // namespace agw

namespace {

constexpr int waitMs = 5000;

// Answers to the client's own requests (registration, port and version queries): never traffic.
bool isReplyToClient(char kind) {
  return QByteArrayView("XRGgyYH").contains(kind);
}

} // namespace

AgwClient::AgwClient(std::uint16_t port) : port_(port) {}

AgwClient::~AgwClient() {
  AGWClose();
}

agw::Frame AgwClient::frameFromMe(char kind) const {
  agw::Frame frame;
  frame.kind = kind;
  frame.callFrom = myCall_;
  return frame;
}

bool AgwClient::write(const agw::Frame &frame) {
  if (socket_.state() != QAbstractSocket::ConnectedState)
    return false;
  const QByteArray bytes = agw::encode(frame);
  if (socket_.write(bytes) != bytes.size())
    return false;
  socket_.flush();
  return true;
}

void AgwClient::readWaiting() {
  if (socket_.state() == QAbstractSocket::ConnectedState)
    socket_.waitForReadyRead(0);
  if (socket_.isOpen())
    stream_ += socket_.readAll();
  for (agw::Frame &frame : agw::takeFrames(stream_)) {
    if (!isReplyToClient(frame.kind))
      keep(std::move(frame));
  }
}

void AgwClient::keep(agw::Frame &&frame) {
  if (queue_.size() >= maxWaitingFrames)
    queue_.pop_front();
  queue_.push_back(std::move(frame));
}

bool AgwClient::waitForRegistration() {
  const QDeadlineTimer deadline(waitMs);
  for (;;) {
    for (agw::Frame &frame : agw::takeFrames(stream_)) {
      if (frame.kind == 'X')
        return !frame.data.isEmpty() && frame.data[0] == 1;
      if (!isReplyToClient(frame.kind))
        keep(std::move(frame));
    }
    if (deadline.hasExpired() || !socket_.waitForReadyRead(int(deadline.remainingTime())))
      return false;
    stream_ += socket_.readAll();
  }
}

int AgwClient::AGWStartPoll(const QString &call, const QString &, int, int) {
  if (registered_ || socket_.state() != QAbstractSocket::UnconnectedState)
    AGWClose();
  const QByteArray me = call.toUpper().toLatin1();
  // A longer call cut short would register another station.
  if (me.isEmpty() || me.size() > agw::maxCallLength)
    return 0;
  socket_.connectToHost(QHostAddress(QHostAddress::LocalHost), port_);
  if (!socket_.waitForConnected(waitMs)) {
    AGWClose();
    return 0;
  }
  // Frames are small and interactive: none waits for the previous one's acknowledgement.
  socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  myCall_ = me;
  if (!write(frameFromMe('X')) || !waitForRegistration()) {
    AGWClose();
    return 0;
  }
  registered_ = true;
  // 'm' toggles monitoring: sent once per session.
  if (!write(frameFromMe('m'))) {
    AGWClose();
    return 0;
  }
  return 1;
}

int AgwClient::AGWPutData(const QString &call, const QString &data, int kind, int length, int radioPort) {
  const QByteArray to = call.toLatin1();
  if (!registered_ || to.size() > agw::maxCallLength)
    return 0;
  agw::Frame frame = frameFromMe(kind == 'c' ? 'C' : char(kind));
  frame.port = std::uint8_t(radioPort);
  frame.callTo = to;
  switch (kind) {
  case 'c':
  case 'd':
    break;
  case 'D':
    frame.pid = 0xF0;
    frame.data = data.toLatin1().left(qMax(0, length));
    break;
  default:
    return 0;
  }
  return write(frame) ? 1 : 0;
}

int AgwClient::AGWGetData(QString &callBuffer, QString &dataBuffer, int &kind, int &length, int &spare) {
  readWaiting();
  if (queue_.empty())
    return 0;
  const agw::Frame frame = std::move(queue_.front());
  queue_.pop_front();
  const QByteArrayView call(frame.callFrom);
  const qsizetype nul = call.indexOf('\0');
  callBuffer = QString::fromLatin1(nul < 0 ? call : call.first(nul + 1));
  QByteArrayView data(frame.data);
  if (data.endsWith('\0'))
    data.chop(1);
  dataBuffer = QString::fromLatin1(data.first(qMin<qsizetype>(data.size(), dataBufferSize)));
  // The kind is a byte: one above 0x7F (only a corrupt engine sends it) is no negative code.
  kind = frame.kind == 'C' ? 'c' : static_cast<unsigned char>(frame.kind);
  length = int(dataBuffer.size());
  spare = frame.port;
  return 1;
}

void AgwClient::AGWClose() {
  if (registered_ && write(frameFromMe('x')))
    socket_.waitForBytesWritten(500);
  socket_.abort();
  registered_ = false;
  myCall_.clear();
  stream_.clear();
  queue_.clear();
}
