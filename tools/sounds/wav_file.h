#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mojara::sounds {

// Converts samples in [-1, 1] to 16-bit PCM, rounding to nearest and clamping.
std::vector<std::int16_t> toPcm16(const std::vector<float>& samples);

// The bytes of a mono 16-bit PCM RIFF/WAVE file.
std::vector<std::uint8_t> encodeWav16(const std::vector<std::int16_t>& pcm, std::uint32_t sampleRate);

// Writes bytes to a file; false if it could not be written completely.
bool writeFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

}  // namespace mojara::sounds
