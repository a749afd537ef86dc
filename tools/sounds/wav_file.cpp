#include "wav_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace mojara::sounds {

namespace {

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putLe16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

}  // namespace

std::vector<std::int16_t> toPcm16(const std::vector<float>& samples) {
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (float s : samples) {
    const double scaled = std::round(static_cast<double>(s) * 32767.0);
    pcm.push_back(static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0)));
  }
  return pcm;
}

std::vector<std::uint8_t> encodeWav16(const std::vector<std::int16_t>& pcm, std::uint32_t sampleRate) {
  constexpr std::uint16_t kChannels = 1;
  constexpr std::uint16_t kBits = 16;
  constexpr std::uint16_t kBlockAlign = kChannels * kBits / 8;
  const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * kBlockAlign);

  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes + 1);
  putTag(out, "RIFF");
  putLe32(out, 4 + (8 + 16) + (8 + dataBytes + (dataBytes & 1)));
  putTag(out, "WAVE");

  putTag(out, "fmt ");
  putLe32(out, 16);
  putLe16(out, 1);  // PCM
  putLe16(out, kChannels);
  putLe32(out, sampleRate);
  putLe32(out, sampleRate * kBlockAlign);
  putLe16(out, kBlockAlign);
  putLe16(out, kBits);

  putTag(out, "data");
  putLe32(out, dataBytes);
  for (std::int16_t s : pcm) putLe16(out, static_cast<std::uint16_t>(s));
  if (dataBytes & 1) out.push_back(0);
  return out;
}

bool writeFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace mojara::sounds
