#include "platform/Background.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

Background::Background() {
  pool_.setMaxThreadCount(1);
}

Background::~Background() {
  pool_.waitForDone();
}

void Background::run(QObject *receiver, std::function<void()> work, std::function<void()> done) {
  pool_.start([receiver = QPointer<QObject>(receiver), work = std::move(work), done = std::move(done)] {
    work();
    if (!done)
      return;
    // Whether the receiver is still there is asked on its own thread, where it is deleted.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [receiver, done] {
          if (receiver)
            done();
        },
        Qt::QueuedConnection);
  });
}

void Background::waitForDone() {
  pool_.waitForDone();
}

void InlineBackground::run(QObject *, std::function<void()> work, std::function<void()> done) {
  work();
  if (done)
    done();
}
