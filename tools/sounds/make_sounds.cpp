// make-sounds OUTDIR: writes every sound the game plays into OUTDIR.
//   music2.mid  the fight theme
//   snd1.wav    a hit landing
//   snd2.wav    a fighter knocked down
//   beep.wav    the system beep
#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "effects.h"
#include "fight_theme.h"
#include "midi_file.h"
#include "wav_file.h"

namespace {

using namespace mojara::sounds;

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
      const char* name;
      bool written;
    } results[] = {
        {"music2.mid", writeFileBytes(outDir / "music2.mid", encodeMidiFile(composeFightTheme()))},
        {"snd1.wav", writeEffect(outDir / "snd1.wav", makeHitSound(kEffectSampleRate))},
        {"snd2.wav", writeEffect(outDir / "snd2.wav", makeKnockDownSound(kEffectSampleRate))},
        {"beep.wav", writeEffect(outDir / "beep.wav", makeBeepSound(kEffectSampleRate))},
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
