#include "battle/fight_sounds.h"

#include "assets/asset_files.h"
#include "assets/sound_timing.h"

namespace mojara::battle {

std::string_view soundFile(Sound sound) {
  switch (sound) {
    case Sound::Music:
      return assets::kMusicFile;
    case Sound::KnockDown:
      return assets::kKnockDownSoundFile;
    case Sound::Hit:
      return assets::kHitSoundFile;
  }
  return {};
}

std::array<Nanos, kSounds> soundLengths(const std::string& folder) {
  std::array<Nanos, kSounds> lengths{};
  for (const Sound sound : {Sound::Music, Sound::KnockDown, Sound::Hit})
    lengths[static_cast<std::size_t>(sound)] =
        assets::soundLength(folder + "/" + std::string(soundFile(sound))).value_or(0);
  return lengths;
}

}  // namespace mojara::battle
