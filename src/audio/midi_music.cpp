#include "audio/midi_music.h"

#include <fluidsynth.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mojara::audio {

namespace {

// SDL_mixer maps its music volume to FluidSynth's gain as volume x 1.2 / 128; the game's levels
// were set on that scale.
constexpr double kGainPerVolume = 1.2 / 128;

}  // namespace

MidiMusic::MidiMusic(const std::string& soundFont, int rate, int channels)
    : channels_(channels), tailFrames_(kTailSeconds * rate) {
  settings_ = new_fluid_settings();
  if (!settings_) throw std::runtime_error("FluidSynth cannot start");
  fluid_settings_setnum(settings_, "synth.sample-rate", rate);
  fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
  fluid_settings_setint(settings_, "synth.chorus.active", 0);
  fluid_settings_setint(settings_, "synth.reverb.active", 1);
  // Only the instruments the theme plays are held in memory (a sixth of the soundfont's samples),
  // each read when the music first chooses it: a millisecond or so of a 23-ms period.
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    delete_fluid_settings(settings_);
    throw std::runtime_error("FluidSynth cannot start");
  }
  if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    throw std::runtime_error("cannot read the soundfont " + soundFont);
  }
  setVolume(0);
}

MidiMusic::~MidiMusic() {
  for (auto& [path, player] : players_) {
    fluid_player_stop(player);
    delete_fluid_player(player);
  }
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

bool MidiMusic::load(const std::string& path, std::string& why) {
  if (players_.count(path)) return true;
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in || bytes.empty() || !fluid_is_midifile(path.c_str())) {
    why = "not a MIDI file";
    return false;
  }
  const std::lock_guard hold(lock_);
  fluid_player_t* player = new_fluid_player(synth_);
  if (!player || fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK) {
    if (player) delete_fluid_player(player);
    why = "FluidSynth cannot read it";
    return false;
  }
  players_[path] = player;
  return true;
}

void MidiMusic::play(const std::string& path) {
  auto it = players_.find(path);
  if (it == players_.end()) return;
  const std::lock_guard hold(lock_);
  if (playing_ && playing_ != it->second) fluid_player_stop(playing_);
  playing_ = it->second;
  fluid_player_set_loop(playing_, 1);
  fluid_player_seek(playing_, 0);
  fluid_player_play(playing_);
}

void MidiMusic::halt() {
  const std::lock_guard hold(lock_);
  if (playing_) fluid_player_stop(playing_);
  playing_ = nullptr;
  // Every voice and the reverb's tail: nothing of this play sounds at the start of the next.
  fluid_synth_system_reset(synth_);
}

void MidiMusic::setVolume(int volume) {
  const std::lock_guard hold(lock_);
  volume_ = volume;
  fluid_synth_set_gain(synth_, static_cast<float>(volume * kGainPerVolume));
}

void MidiMusic::fill(void* self, unsigned char* stream, int bytes) {
  auto& music = *static_cast<MidiMusic*>(self);
  const int frames = bytes / static_cast<int>(sizeof(short)) / music.channels_;
  music.render(reinterpret_cast<short*>(stream), frames);
}

void MidiMusic::render(short* stream, int frames) {
  const std::lock_guard hold(lock_);
  // Once nothing plays and the reverb has died away, the stream is left silent, unrendered.
  const bool sounding = (playing_ && fluid_player_get_status(playing_) == FLUID_PLAYER_PLAYING) ||
                        fluid_synth_get_active_voice_count(synth_) > 0;
  quietFrames_ = sounding ? 0 : quietFrames_ + frames;
  if (quietFrames_ > tailFrames_) return;
  if (channels_ == 2) {
    fluid_synth_write_s16(synth_, frames, stream, 0, 2, stream, 1, 2);
  } else {
    stereo_.resize(static_cast<std::size_t>(2 * frames));
    fluid_synth_write_s16(synth_, frames, stereo_.data(), 0, 2, stereo_.data(), 1, 2);
    for (int f = 0; f < frames; ++f) {
      short* frame = stream + static_cast<std::ptrdiff_t>(f) * channels_;
      const short left = stereo_[2 * f], right = stereo_[2 * f + 1];
      if (channels_ == 1) {
        frame[0] = static_cast<short>((left + right) / 2);
      } else {
        std::fill(frame, frame + channels_, short{0});
        frame[0] = left;
        frame[1] = right;
      }
    }
  }
  mostVoices_ = std::max(mostVoices_.load(), fluid_synth_get_active_voice_count(synth_));
}

}  // namespace mojara::audio
