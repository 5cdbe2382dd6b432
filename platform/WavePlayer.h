#pragma once
// Wave files played without blocking, as the old multimedia control played them: close, open a
// file, play (returns at once), stop, and a "playing" test. The test does not wait for the event
// loop, so a caller may poll it in a tight loop: it holds from play for at least the clip's
// length (from its RIFF header) and then until the sound device reports the end, but never
// longer than the length plus kEndMarginMs, whatever the device does.

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class Clock;
class QSoundEffect;

// The play time of a PCM WAV file from its header; nullopt for anything unreadable.
std::optional<int> wavDurationMs(const QString &path);

// What makes the sound.
class SoundOutput {
public:
  virtual ~SoundOutput() = default;
  virtual void start(const QString &path) = 0;
  virtual void stop() = 0;
  // Whether the device has reported the end of what start began.
  virtual bool ended() const = 0;
};

// Qt Multimedia's sound effect; its end arrives through the event loop.
class QtSoundOutput : public SoundOutput {
public:
  QtSoundOutput();
  ~QtSoundOutput() override;
  void start(const QString &path) override;
  void stop() override;
  bool ended() const override { return ended_; }

private:
  std::unique_ptr<QSoundEffect> effect_;
  bool started_ = false; // the device said it plays
  bool ended_ = true;
};

class WavePlayer {
public:
  // The old control's modes: the later key handlers test for "playing".
  static constexpr int kModePlaying = 526;
  static constexpr int kModeStopped = 525;
  static constexpr int kEndMarginMs = 300;

  WavePlayer(Clock &clock, std::unique_ptr<SoundOutput> output);
  // Cuts what plays and lets the file go.
  void close();
  // False for a file that is missing, unreadable or not a RIFF WAVE file with a length.
  bool open(const QString &path);
  // Starts the open file; false when none is open.
  bool play();
  void stop();
  bool isPlaying();
  int Mode() { return isPlaying() ? kModePlaying : kModeStopped; }
  QString fileName() const { return path_; }

private:
  Clock &clock_;
  std::unique_ptr<SoundOutput> output_;
  QString path_;
  int lengthMs_ = 0;
  bool playing_ = false;
  std::int64_t startedAt_ = 0;
};

// Waits, without serving window events, while `player` plays, at most `maxMs`.
inline constexpr int kPlayWaitMaxMs = 10000;
void waitWhilePlaying(WavePlayer &player, Clock &clock, int maxMs = kPlayWaitMaxMs);
