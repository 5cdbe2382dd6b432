#include "keying/VoicePrompts.h"

#include "platform/ProgramFiles.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

// The prompt's file in the program folder, or the empty text when there is none.
QString promptFile(const QString &programFolder, const QString &name) {
  if (name.isEmpty())
    return {};
  const QString path = files::resolve(programFolder, name + QStringLiteral(".wav"));
  return files::exists(path) ? path : QString();
}

} // namespace

SoundPromptPlayer::SoundPromptPlayer() = default;
SoundPromptPlayer::~SoundPromptPlayer() = default;

void SoundPromptPlayer::play(const QString &wavPath) {
  if (!effect_)
    effect_ = std::make_unique<QSoundEffect>();
  effect_->stop();
  effect_->setSource(QUrl::fromLocalFile(wavPath));
  effect_->play();
}

void SoundPromptPlayer::stop() {
  if (effect_)
    effect_->stop();
}

bool SoundPromptPlayer::isPlaying() const {
  return effect_ && effect_->isPlaying();
}

QString playPrompt(PromptPlayer &player, const QString &programFolder, const QString &name) {
  const QString path = promptFile(programFolder, name);
  if (!path.isEmpty())
    player.play(path);
  return path;
}

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
