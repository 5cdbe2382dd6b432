#include "spotting/ClusterLines.h"

#include "platform/VbText.h"

bool isDXLine(const QString &line) {
  return line.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
}

QString spotFreqText(const QString &line) {
  return vb::trim(line.mid(15, 9));
}

QString spotCallText(const QString &line) {
  QString call = line.mid(26, 13);
  for (qsizetype i = 0; i < call.size(); ++i) {
    if (call[i] == u'\r' || call[i] == u'\n') {
      call.truncate(i);
      break;
    }
  }
  return vb::trim(call);
}

QString SpotRecord(const QString &line) {
  return vb::trim(line.mid(3));
}

void trimMonitorText(QString &monitor) {
  if (monitor.size() > 10000)
    monitor = monitor.right(9000);
}

bool recentlyShown(const QString &monitor, const QString &line) {
  return monitor.indexOf(line, std::max<qsizetype>(0, monitor.size() - 801), Qt::CaseInsensitive) >= 0;
}

void processSpotLines(QString &buffer, QString &monitor, bool dxOnly, const PostSpotFn &post) {
  // `from` is the LF that ended the last line; the buffer is cut once, at the end.
  qsizetype from = buffer.indexOf(u'\n');
  while (from >= 0) {
    const qsizetype end = buffer.indexOf(u'\n', from + 1);
    if (end < 0)
      break;
    QString line = buffer.mid(from + 1, end - from);
    if (!recentlyShown(monitor, line)) {
      if (isDXLine(line)) {
        monitor += line;
        trimMonitorText(monitor);
        QString freq = spotFreqText(line);
        QString call = spotCallText(line);
        post(freq, call, line);
      } else if (!dxOnly) {
        monitor += line;
        trimMonitorText(monitor);
      }
    }
    from = end;
  }
  if (from > 0)
    buffer.remove(0, from);
}

void takeSpotInput(QString &buffer, QString &monitor, bool dxOnly, const QString &input,
                   const PostSpotFn &post) {
  if (input.isEmpty())
    return;
  buffer += input;
  if (buffer.size() > 2)
    processSpotLines(buffer, monitor, dxOnly, post);
  if (buffer.size() > 65536)
    buffer.clear();
}
