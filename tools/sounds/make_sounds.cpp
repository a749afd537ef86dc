// make-sounds OUTDIR: writes every sound the game plays into OUTDIR, named as the asset file
// list names them: the fight theme (MIDI), a hit landing, a fighter knocked down and the system
// beep (WAV).
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "assets/asset_files.h"
#include "effects.h"
#include "fight_theme.h"
#include "midi_file.h"
#include "wav_file.h"

namespace {

using namespace mojara::sounds;
using namespace mojara::assets;

static_assert(kSoundFiles.size() == 4, "a sound added to the asset file list needs its generator here");

bool writeEffect(const std::filesystem::path& file, const std::vector<float>& samples) {
  return writeFileBytes(file, encodeWav16(toPcm16(samples), kEffectSampleRate));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-sounds OUTDIR\n";
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::cerr << "make-sounds: cannot create " << outDir << ": " << ec.message() << '\n';
    return 1;
  }

  try {
    const struct {
      std::string_view name;
      bool written;
    } results[] = {
        {kMusicFile, writeFileBytes(outDir / kMusicFile, encodeMidiFile(composeFightTheme()))},
        {kHitSoundFile, writeEffect(outDir / kHitSoundFile, makeHitSound(kEffectSampleRate))},
        {kKnockDownSoundFile,
         writeEffect(outDir / kKnockDownSoundFile, makeKnockDownSound(kEffectSampleRate))},
        {kBeepFile, writeEffect(outDir / kBeepFile, makeBeepSound(kEffectSampleRate))},
    };
    bool ok = true;
    for (const auto& r : results) {
      if (!r.written) {
        std::cerr << "make-sounds: cannot write " << (outDir / r.name) << '\n';
        ok = false;
      }
    }
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "make-sounds: " << e.what() << '\n';
    return 1;
  }
}
