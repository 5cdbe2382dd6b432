#pragma once
// A rig on the far end of a pseudo-terminal: it reads what the program writes, answers each
// family's read commands in the layouts the poll loop reads, takes the set commands as the
// real rigs do and keeps everything it received. Tests call serve() where a real rig would
// have answered.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class RigSimulator {
public:
  // `rigType`: a rig-list entry, which picks the wire family and the reply layout.
  explicit RigSimulator(const QString &rigType);
  ~RigSimulator();
  RigSimulator(const RigSimulator &) = delete;
  RigSimulator &operator=(const RigSimulator &) = delete;

  // The slave side's device, and a link "COM<port>" to it in the per-user ports folder.
  QString device() const { return device_; }
  void linkAs(int port) const;

  std::int64_t hertz = 7025000;
  bool cw = true;      // the rig's mode: CW, else USB
  bool silent = false; // reads but never answers
  int cutNextAt = 0;   // the next reply goes out in two: this many bytes now, the rest at the next serve
  QByteArray received; // everything the program wrote
  std::vector<QByteArray> frames; // the same, cut into the family's commands

  // Reads what has come and answers it; returns the bytes read.
  int serve();
  // Writes `bytes` of noise at once, as a rig on the wrong baud rate would.
  void flood(int bytes);
  // Closes the rig's end of the line, as a pulled USB adapter does.
  void hangUp();
  // Stops the line's output, as a rig that takes no more bytes does, or starts it again.
  void holdOutput(bool held);

  // The line as the program set it up.
  int baud() const;
  bool rtsCts() const;

private:
  void answer(const QByteArray &command);
  QByteArray civFrame(unsigned char command, const QByteArray &data) const;
  QByteArray yaesuStatus() const;
  void send(const QByteArray &bytes);

  QString rigType_;
  QString device_;
  int master_ = -1;
  int slave_ = -1;
  QByteArray pending_;
  QByteArray held_; // the second half of a cut reply
  unsigned char civAddress_ = 0x64;
};
