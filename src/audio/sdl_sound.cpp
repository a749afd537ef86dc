#include "audio/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>

#include "assets/asset_files.h"
#include "assets/sound_length.h"

namespace mojara::audio {

namespace {

constexpr int kBeepChannel = 0;
// Each wave slot has two channels: a new play starts on one while the play it cuts short fades
// out on the other.
constexpr int kFirstSlotChannel = 1;
constexpr int kSlotChannelPairs = 4;
constexpr int kChannels = kFirstSlotChannel + 2 * kSlotChannelPairs;
// A play cut short, by a new one or by its window closing, fades out over 4 ms: heard as a stop,
// without a click.
constexpr int kCutFadeFrames = 44100 * 4 / 1000;

// The mixer effect that fades a cut-short play: `udata` counts down the frames left to fade.
void fadeOutCutPlay(int, void* stream, int bytes, void* udata) {
  int& left = *static_cast<int*>(udata);
  auto* samples = static_cast<Sint16*>(stream);
  const int frames = bytes / static_cast<int>(2 * sizeof(Sint16));
  for (int f = 0; f < frames; ++f) {
    const float gain = static_cast<float>(left) / kCutFadeFrames;
    if (left > 0) --left;
    samples[2 * f] = static_cast<Sint16>(samples[2 * f] * gain);
    samples[2 * f + 1] = static_cast<Sint16>(samples[2 * f + 1] * gain);
  }
}

// Sound libraries below SDL write their own complaints to standard error while they look for a
// device; the game reports a missing device once, in its own words.
class QuietStandardError {
 public:
  QuietStandardError() : saved_(dup(STDERR_FILENO)) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDERR_FILENO);
      close(null);
    }
  }
  ~QuietStandardError() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

bool isWave(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  in.read(magic, 4);
  return in && std::string(magic, 4) == "RIFF";
}

// Only a file the game's own reader can time is handed to SDL_mixer: a folder, an empty, truncated
// or junk file would make FluidSynth complain on every play, or crash the music loader.
constexpr const char* kUnplayable =
    "not a sound file the game can play (missing, empty, a folder, damaged, longer than an hour or of "
    "another kind); that sound stays silent";

}  // namespace

SdlSound::SdlSound(std::string programFolder, std::string soundFont)
    : programFolder_(std::move(programFolder)), soundFont_(std::move(soundFont)) {
  std::string error;
  {
    QuietStandardError quiet;
    // The game ends on SIGINT and SIGTERM like any program; SDL would turn them into events
    // that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = SDL_GetError();
    } else {
      if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
      }
    }
  }
  if (!error.empty()) {
    std::cerr << "mojara: no sound (" << error << "); the game goes on silently\n";
    return;
  }
  open_ = true;
  Mix_AllocateChannels(kChannels);
  Mix_ReserveChannels(kChannels);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  // The fade reads 16-bit stereo at 44.1 kHz; on any other device, a new play just cuts the old.
  fadeCutPlays_ = Mix_QuerySpec(&rate, &format, &channels) && rate == 44100 && format == AUDIO_S16SYS &&
                  channels == 2;
  fadeFramesLeft_.assign(kChannels, 0);
  musicFormat_ = {rate, format == AUDIO_S16SYS ? channels : 0};
  applyLevels();
}

SdlSound::~SdlSound() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  Mix_HookMusic(nullptr, nullptr);
  music_.reset();
  for (auto& [path, chunk] : chunks_)
    if (chunk) Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::warnOnce(const std::string& path, const std::string& why) {
  if (warned_.insert(path).second) std::cerr << "mojara: cannot play " << path << ": " << why << "\n";
}

bool SdlSound::playable(const std::string& path) { return assets::soundLength(path).has_value(); }

Mix_Chunk* SdlSound::chunkOf(const std::string& path) {
  auto [it, fresh] = chunks_.try_emplace(path, nullptr);
  if (fresh) {
    it->second = Mix_LoadWAV(path.c_str());
    if (!it->second) warnOnce(path, Mix_GetError());
  }
  return it->second;
}

bool SdlSound::startMusic() {
  if (music_ || musicTried_) return music_ != nullptr;
  musicTried_ = true;
  if (musicFormat_.channels == 0) {
    std::cerr << "mojara: no music (the sound device takes no 16-bit samples); the game goes on without it\n";
    return false;
  }
  try {
    music_ = std::make_unique<MidiMusic>(soundFont_, musicFormat_.rate, musicFormat_.channels);
  } catch (const std::runtime_error& e) {
    std::cerr << "mojara: no music (" << e.what() << "); the game goes on without it\n";
    return false;
  }
  Mix_HookMusic(&MidiMusic::fill, music_.get());
  applyLevels();
  return true;
}

bool SdlSound::musicOf(const std::string& path) {
  if (!startMusic()) return false;
  auto [it, fresh] = loadedMusic_.try_emplace(path, false);
  if (fresh) {
    std::string why;
    it->second = music_->load(path, why);
    if (!it->second) warnOnce(path, why);
  }
  return it->second;
}

SdlSound::ChannelPair& SdlSound::channelsFor(const forms::SoundSlot& slot) {
  const int pair = std::min(static_cast<int>(channels_.size()), kSlotChannelPairs - 1);
  return channels_.try_emplace(slot.Name, ChannelPair{kFirstSlotChannel + 2 * pair}).first->second;
}

void SdlSound::cutShort(int channel) {
  if (!fadeCutPlays_) {
    Mix_HaltChannel(channel);
    return;
  }
  // The chunk plays on to its end, silenced by the fade.
  int& left = fadeFramesLeft_[static_cast<std::size_t>(channel)];
  left = kCutFadeFrames;
  Mix_RegisterEffect(channel, fadeOutCutPlay, nullptr, &left);
}

void SdlSound::playEffect(ChannelPair& pair, Mix_Chunk* chunk) {
  if (Mix_Playing(pair.playing())) {
    cutShort(pair.playing());
    pair.second = !pair.second;
  }
  Mix_UnregisterAllEffects(pair.playing());
  Mix_PlayChannel(pair.playing(), chunk, 0);
}

void SdlSound::command(forms::SoundSlot& slot, const std::string& command) {
  if (!open_) return;
  if (command == "Open") {
    Device device;
    device.file = slot.FileName;
    timing_.opened(slot, slot.FileName);
    if (!playable(slot.FileName)) {
      warnOnce(slot.FileName, kUnplayable);
    } else if (isWave(slot.FileName)) {
      device.chunk = chunkOf(slot.FileName);
      device.channels = &channelsFor(slot);
    } else {
      device.music = musicOf(slot.FileName);
    }
    devices_[&slot] = device;
  } else if (command == "Play") {
    auto it = devices_.find(&slot);
    if (it == devices_.end()) return;
    Device& device = it->second;
    if (clock_) timing_.played(slot, clock_->now());
    if (device.chunk) {
      playEffect(*device.channels, device.chunk);
    } else if (device.music) {
      music_->play(device.file);
      musicOwner_ = &slot;
    }
  }
  // "Prev" rewinds: every play starts from the beginning anyway.
}

bool SdlSound::playing(const forms::SoundSlot& slot) const {
  // By the file's own length, not by the mixer: FluidSynth goes on rendering the reverb tail for
  // seconds after the music's last event, and the music is to loop on the first tick after it.
  // A file the mixer could not load plays silently for its length, as it does headless.
  return open_ && clock_ && timing_.playing(slot, clock_->now());
}

void SdlSound::released(forms::SoundSlot& slot) {
  auto it = devices_.find(&slot);
  if (it == devices_.end()) return;
  if (it->second.chunk) {
    // A slot of the same name on a newer window may play on these channels already.
    for (int channel : {it->second.channels->first, it->second.channels->first + 1})
      if (Mix_Playing(channel) && Mix_GetChunk(channel) == it->second.chunk) cutShort(channel);
  }
  if (it->second.music && musicOwner_ == &slot) {
    music_->halt();
    musicOwner_ = nullptr;
  }
  devices_.erase(it);
  timing_.released(slot);
}

void SdlSound::setLevels(const SoundLevels& levels) {
  levels_ = levels.valid();
  applyLevels();
}

void SdlSound::toggleMute() {
  SoundLevels levels = levels_;
  levels.muted = !levels.muted;
  setLevels(levels);
}

void SdlSound::applyLevels() {
  if (!open_) return;
  Mix_Volume(-1, static_cast<int>(std::lround(MIX_MAX_VOLUME * levels_.effectsGain())));
  const double music = MidiMusic::kFullVolume * levels_.musicGain();
  // The softest step still plays: rounding must not silence it.
  if (music_) music_->setVolume(levels_.musicGain() > 0 ? std::max(1, static_cast<int>(std::lround(music))) : 0);
}

void SdlSound::beep() {
  if (!open_) return;
  const std::string beepFile = programFolder_ + "/" + std::string(assets::kBeepFile);
  if (!playable(beepFile)) return warnOnce(beepFile, kUnplayable);
  if (Mix_Chunk* chunk = chunkOf(beepFile)) Mix_PlayChannel(kBeepChannel, chunk, 0);
}

}  // namespace mojara::audio
