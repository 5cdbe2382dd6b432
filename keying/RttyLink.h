#pragma once
// The channel to the outside RTTY program: one local-socket connection to its server carries
// every item, as one UTF-8 line "item<TAB>text<LF>" per change, both ways. The RTTY program
// sends its current value of each item when a client connects, then a line per change, and
// never echoes a client's own value back.

#include <QByteArray>
#include <QLocalSocket>
#include <QObject>
#include <QString>

#include <utility>
#include <vector>

inline const QString kRttyServerName = QStringLiteral("Q4ZD_RTTY.frmDigitalDest");
inline constexpr int kRttyConnectWaitMs = 2000;
// A line longer than this without its end is dropped, up to that end.
inline constexpr qsizetype kRttyMaxLine = 4096;

// The line for one item's value; a CR or LF inside the value goes as a blank.
QByteArray rttyLine(const QString &item, const QString &text);

// Cuts arriving bytes into (item, text) pairs; lines without a TAB and overlong lines are dropped.
class RttyLineReader {
public:
  std::vector<std::pair<QString, QString>> take(const QByteArray &bytes);

private:
  QByteArray pending_;
  bool skipping_ = false; // inside an overlong line
};

class RttyChannel : public QObject {
  Q_OBJECT
public:
  explicit RttyChannel(QObject *parent = nullptr);
  // Waits at most `waitMs` for the server; false when none answers.
  bool connectTo(const QString &serverName, int waitMs = kRttyConnectWaitMs);
  void close();
  bool isConnected() const;
  // Written at once: the callers may block right after. A failure is ignored.
  void send(const QString &item, const QString &text);

signals:
  void received(const QString &item, const QString &text);

private:
  void readArrived();
  QLocalSocket socket_;
  RttyLineReader reader_;
};
