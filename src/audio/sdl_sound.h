// Sound slots on SDL2_mixer: the MIDI music on the music stream (our own FluidSynth player with a
// General MIDI soundfont), each effect slot on a channel of its own, the beep on its own channel.
// Without an audio device, or with a missing or broken file, the slot stays silent and the game
// goes on; each such problem is reported once on standard error.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "assets/sound_timing.h"
#include "audio/midi_music.h"
#include "audio/sound_levels.h"
#include "forms/controls.h"

struct Mix_Chunk;

namespace mojara::audio {

class SdlSound : public forms::SoundService {
 public:
  // `programFolder` holds beep.wav; `soundFont` is the General MIDI soundfont for the music.
  SdlSound(std::string programFolder, std::string soundFont);
  ~SdlSound() override;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  bool available() const { return open_; }
  // The program's clock: a slot plays from its play until its file's length has passed on it, as
  // in headless runs. Until it is given, no slot counts as playing.
  void setClock(const forms::Clock& clock) { clock_ = &clock; }

  void command(forms::SoundSlot& slot, const std::string& command) override;
  bool playing(const forms::SoundSlot& slot) const override;
  void released(forms::SoundSlot& slot) override;

  void beep();

  // The music's and the effects' levels, each moved by its steps; turning one up unmutes.
  void changeVolume(int musicSteps, int effectsSteps) { setLevels(levels_.changed(musicSteps, effectsSteps)); }
  void toggleMute();
  const SoundLevels& levels() const { return levels_; }
  void setLevels(const SoundLevels& levels);

  // The music's synth, started when a window first opens the music; null before, and without a
  // device or a soundfont.
  const MidiMusic* music() const { return music_.get(); }

 private:
  // The two mixer channels of a wave slot, and which of them the slot plays on now.
  struct ChannelPair {
    int first;
    bool second = false;
    int playing() const { return first + second; }
  };
  struct Device {
    std::string file;
    Mix_Chunk* chunk = nullptr;  // a wave effect, or
    bool music = false;          // the MIDI music
    ChannelPair* channels = nullptr;
  };
  static bool playable(const std::string& path);
  Mix_Chunk* chunkOf(const std::string& path);
  // Reads the soundfont the first time music is wanted, not at start-up: the title opens sooner.
  bool startMusic();
  bool musicOf(const std::string& path);
  void warnOnce(const std::string& path, const std::string& why);
  ChannelPair& channelsFor(const forms::SoundSlot& slot);
  // Fades out what the channel plays (or stops it, where the device cannot be faded).
  void cutShort(int channel);
  // Plays from the start, fading out the play it cuts short.
  void playEffect(ChannelPair& pair, Mix_Chunk* chunk);

  std::string programFolder_;
  std::string soundFont_;
  bool open_ = false;
  std::map<std::string, Mix_Chunk*> chunks_;
  std::unique_ptr<MidiMusic> music_;
  bool musicTried_ = false;
  struct MusicFormat {
    int rate = 0, channels = 0;  // no channels: the device takes no 16-bit samples
  } musicFormat_;
  std::map<std::string, bool> loadedMusic_;  // by file: whether it could be loaded
  std::map<const forms::SoundSlot*, Device> devices_;
  std::map<std::string, ChannelPair> channels_;  // by slot name: a slot keeps them across loads
  bool fadeCutPlays_ = false;
  std::vector<int> fadeFramesLeft_;  // by channel, for the fade of a cut-short play
  const forms::SoundSlot* musicOwner_ = nullptr;
  std::set<std::string> warned_;
  const forms::Clock* clock_ = nullptr;
  assets::SlotTiming timing_;
  SoundLevels levels_;
  void applyLevels();
};

}  // namespace mojara::audio
