#pragma once
// Spoken prompts named after the entry fields ("Call", "Dupe"...), WAV files in the program
// folder, played without waiting.

#include <QString>

#include <memory>
#include <optional>

class QSoundEffect;

class PromptPlayer {
public:
  virtual ~PromptPlayer() = default;
  virtual void play(const QString &wavPath) = 0;
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
};

class SoundPromptPlayer : public PromptPlayer {
public:
  SoundPromptPlayer();
  ~SoundPromptPlayer() override;
  void play(const QString &wavPath) override;
  void stop() override;
  bool isPlaying() const override;

private:
  std::unique_ptr<QSoundEffect> effect_;
};

// Starts the named prompt from the program folder without waiting; returns its file, or the
// empty text (and plays nothing) when there is none.
QString playPrompt(PromptPlayer &player, const QString &programFolder, const QString &name);

// The play time of a PCM WAV file from its header; nullopt for anything unreadable.
std::optional<int> wavDurationMs(const QString &path);
