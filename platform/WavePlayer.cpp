#include "platform/WavePlayer.h"

#include "platform/Clock.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

std::optional<int> wavDurationMs(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    return std::nullopt;
  const QByteArray head = f.read(12);
  if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
    return std::nullopt;
  quint32 byteRate = 0;
  // Walk the chunks: "fmt " gives the byte rate, "data" the length.
  while (true) {
    const QByteArray chunk = f.read(8);
    if (chunk.size() < 8)
      return std::nullopt;
    const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
    if (chunk.startsWith("fmt ")) {
      const QByteArray fmt = f.read(size);
      if (fmt.size() < 16)
        return std::nullopt;
      byteRate = qFromLittleEndian<quint32>(fmt.constData() + 8);
      if (size % 2)
        f.read(1);
    } else if (chunk.startsWith("data")) {
      if (byteRate == 0)
        return std::nullopt;
      return static_cast<int>((static_cast<quint64>(size) * 1000) / byteRate);
    } else if (!f.seek(f.pos() + size + (size % 2))) {
      return std::nullopt;
    }
  }
}

QtSoundOutput::QtSoundOutput() = default;
QtSoundOutput::~QtSoundOutput() = default;

void QtSoundOutput::start(const QString &path) {
  if (!effect_) {
    effect_ = std::make_unique<QSoundEffect>();
    QObject::connect(effect_.get(), &QSoundEffect::playingChanged, effect_.get(), [this] {
      if (effect_->isPlaying())
        started_ = true;
      else if (started_)
        ended_ = true;
    });
    QObject::connect(effect_.get(), &QSoundEffect::statusChanged, effect_.get(), [this] {
      if (effect_->status() == QSoundEffect::Error)
        ended_ = true;
    });
  }
  effect_->stop();
  started_ = false;
  ended_ = false;
  effect_->setSource(QUrl::fromLocalFile(path));
  effect_->play();
}

void QtSoundOutput::stop() {
  if (effect_)
    effect_->stop();
  ended_ = true;
}

WavePlayer::WavePlayer(Clock &clock, std::unique_ptr<SoundOutput> output)
    : clock_(clock), output_(std::move(output)) {}

void WavePlayer::close() {
  stop();
  path_.clear();
}

bool WavePlayer::open(const QString &path) {
  close();
  const auto length = wavDurationMs(path);
  if (!length)
    return false;
  path_ = path;
  lengthMs_ = *length;
  return true;
}

bool WavePlayer::play() {
  if (path_.isEmpty())
    return false;
  output_->start(path_);
  playing_ = true;
  startedAt_ = clock_.timeGetTime();
  return true;
}

void WavePlayer::stop() {
  output_->stop();
  playing_ = false;
}

bool WavePlayer::isPlaying() {
  if (!playing_)
    return false;
  const std::int64_t elapsed = clock_.timeGetTime() - startedAt_;
  if (elapsed < lengthMs_ || (elapsed < lengthMs_ + kEndMarginMs && !output_->ended()))
    return true;
  playing_ = false;
  return false;
}

void waitWhilePlaying(WavePlayer &player, Clock &clock, int maxMs) {
  const std::int64_t until = clock.timeGetTime() + maxMs;
  while (player.isPlaying() && clock.timeGetTime() < until)
    clock.sleepMs(10);
}
