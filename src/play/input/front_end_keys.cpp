#include "play/input/front_end_keys.h"

#include "forms/types.h"

namespace mojara {

namespace {

// The sound keys, by virtual-key code, in softer-louder pairs.
struct VolumeKey {
  int code;
  int musicSteps;
  int effectsSteps;
};
constexpr VolumeKey kVolumeKeys[] = {
    {forms::vk::Minus, -1, -1},      {forms::vk::Equals, +1, +1},        // everything
    {forms::vk::BracketLeft, -1, 0}, {forms::vk::BracketRight, +1, 0},  // the music
    {forms::vk::Semicolon, 0, -1},   {forms::vk::Apostrophe, 0, +1},    // the effects
};

}  // namespace

FrontEndKey frontEndKeyOf(int code, int shift) {
  using Action = FrontEndKey::Action;
  constexpr int kM = 'M', kF2 = forms::vk::F1 + 1, kF3 = forms::vk::F1 + 2;
  if (code == forms::vk::F11 || ((code == forms::vk::Return || code == forms::vk::KeypadEnter) && (shift & kAltBit)))
    return {Action::FullScreen};
  if (code == kM && shift == 0) return {Action::Mute};
  if (shift == 0)
    for (const VolumeKey& key : kVolumeKeys)
      if (key.code == code) return {Action::Volume, key.musicSteps, key.effectsSteps};
  if (code == kF2) return {Action::Settings};
  if (code == kF3) return {Action::Versus};
  return {};
}

}  // namespace mojara
