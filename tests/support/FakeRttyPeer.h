#pragma once
// A local-socket server playing the outside RTTY program: it records each line a client sends as
// "item=text" and sends its current values to a client as it connects.

#include "keying/RttyLink.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <map>

class FakeRttyPeer {
public:
  FakeRttyPeer() {
    static QAtomicInt serial;
    name = QStringLiteral("orvex-rtty-%1-%2")
               .arg(QCoreApplication::applicationPid())
               .arg(serial.fetchAndAddRelaxed(1));
    QObject::connect(&server, &QLocalServer::newConnection, [this] {
      client = server.nextPendingConnection();
      QObject::connect(client, &QLocalSocket::readyRead, [this] {
        for (const auto &[item, text] : reader.take(client->readAll()))
          got.push_back(item + u'=' + text);
      });
      for (const auto &[item, text] : values)
        say(rttyLine(item, text));
    });
    server.listen(name);
  }
  void say(const QByteArray &bytes) {
    client->write(bytes);
    client->flush();
  }
  void set(const QString &item, const QString &text) { say(rttyLine(item, text)); }
  // Lets both sides run until the peer has `count` lines.
  bool waitFor(qsizetype count) {
    return QTest::qWaitFor([&] { return got.size() >= count; }, 2000);
  }

  QString name;
  QLocalServer server;
  QPointer<QLocalSocket> client;
  RttyLineReader reader;
  std::map<QString, QString> values;
  QStringList got;
};
