// The game's MIDI music, played by FluidSynth with settings chosen for this one theme, into
// SDL_mixer's music stream. SDL_mixer's own MIDI player gives no say over FluidSynth's settings:
// a synth of 256 voices with chorus and reverb, which costs a fighting game's whole sound budget.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace mojara::audio {

class MidiMusic {
 public:
  // The synth as the theme needs it: room for the voices its busiest bar holds (110, with the
  // strings' long releases and the stereo samples' two voices a note) and its reverb (the parts
  // send to it), no chorus (no part sends to it), and only the samples of its own instruments.
  static constexpr int kPolyphony = 128;
  // The volume of the music at the full music level, on SDL_mixer's scale of 0 to 128: a gain of
  // 0.375 rather than the 1.2 of SDL_mixer's full volume, six times FluidSynth's own default of
  // 0.2, where the music clips and drowns the hits. The theme's loudest bar peaks about 6 dB below
  // full scale, which leaves room for a hit over it, and the hits stand well above the music.
  static constexpr int kFullVolume = 40;

  // Renders at `rate` frames a second into a stream of `channels` 16-bit channels. Throws
  // std::runtime_error when FluidSynth cannot start or cannot read the soundfont.
  MidiMusic(const std::string& soundFont, int rate, int channels);
  ~MidiMusic();
  MidiMusic(const MidiMusic&) = delete;
  MidiMusic& operator=(const MidiMusic&) = delete;

  // Reads a MIDI file for playing; false (with FluidSynth's reason in `why`) if it cannot be.
  bool load(const std::string& path, std::string& why);
  // Plays a loaded file from its start, once; the notes still ringing from the last play ring on.
  void play(const std::string& path);
  // Stops at once, every note silenced.
  void halt();
  // FluidSynth's gain: SDL_mixer's scale of 0 to 128 for the music volume, mapped as its own MIDI
  // player maps it.
  void setVolume(int volume);
  int volume() const { return volume_; }

  // The most voices sounding at once since the synth started.
  int mostVoices() const { return mostVoices_; }

  // SDL_mixer's music hook: fills `bytes` of the stream with the synth's output (the mixer has
  // cleared it to silence).
  static void fill(void* self, unsigned char* stream, int bytes);

 private:
  void render(short* stream, int frames);

  int channels_;
  int volume_ = 0;
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  std::map<std::string, _fluid_player_t*> players_;
  _fluid_player_t* playing_ = nullptr;
  std::vector<short> stereo_;  // one period rendered in stereo, for streams of other widths
  std::atomic<int> mostVoices_ = 0;
  // How long the reverb is rendered on after the last voice ends, and how long it has been.
  static constexpr int kTailSeconds = 3;
  int tailFrames_;
  int quietFrames_ = 0;
  mutable std::mutex lock_;  // the mixer's thread renders while the game's starts and stops
};

}  // namespace mojara::audio
