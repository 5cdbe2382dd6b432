#include "keying/RttyLink.h"

QByteArray rttyLine(const QString &item, const QString &text) {
  QString value = text;
  value.replace(u'\r', u' ').replace(u'\n', u' ');
  return item.toUtf8() + '\t' + value.toUtf8() + '\n';
}

std::vector<std::pair<QString, QString>> RttyLineReader::take(const QByteArray &bytes) {
  std::vector<std::pair<QString, QString>> out;
  for (const char c : bytes) {
    if (c != '\n') {
      if (skipping_)
        continue;
      pending_ += c;
      if (pending_.size() > kRttyMaxLine) {
        pending_.clear();
        skipping_ = true;
      }
      continue;
    }
    const QByteArray line = std::exchange(pending_, {});
    if (std::exchange(skipping_, false))
      continue;
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0)
      continue;
    out.emplace_back(QString::fromUtf8(line.left(tab)), QString::fromUtf8(line.mid(tab + 1)));
  }
  return out;
}

RttyChannel::RttyChannel(QObject *parent) : QObject(parent) {
  connect(&socket_, &QLocalSocket::readyRead, this, &RttyChannel::readArrived);
}

bool RttyChannel::connectTo(const QString &serverName, int waitMs) {
  close();
  socket_.connectToServer(serverName);
  if (socket_.waitForConnected(waitMs))
    return true;
  socket_.abort();
  return false;
}

void RttyChannel::close() {
  socket_.abort();
  reader_ = {};
}

bool RttyChannel::isConnected() const {
  return socket_.state() == QLocalSocket::ConnectedState;
}

void RttyChannel::send(const QString &item, const QString &text) {
  if (!isConnected())
    return;
  socket_.write(rttyLine(item, text));
  socket_.flush();
}

void RttyChannel::readArrived() {
  for (const auto &[item, text] : reader_.take(socket_.readAll()))
    emit received(item, text);
}
