#include "sound_length.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace mojara::assets {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Reads whole ranges of one file (or of its bytes in memory), refusing any
// range that runs past its end, so no length read from the file can make us
// over-read or over-allocate.
class FileReader {
 public:
  explicit FileReader(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) return;
    in_.open(file, std::ios::binary);
    open_ = in_.is_open();
    size_ = size;
  }
  explicit FileReader(std::span<const std::uint8_t> bytes) : bytes_(bytes), open_(true), size_(bytes.size()) {}

  bool isOpen() const { return open_; }
  std::uint64_t size() const { return size_; }

  bool read(std::uint64_t offset, std::uint64_t count, std::uint8_t* out) {
    if (offset > size_ || count > size_ - offset) return false;
    if (!in_.is_open()) {
      std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out);
      return true;
    }
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return in_.good() && static_cast<std::uint64_t>(in_.gcount()) == count;
  }

  std::optional<Bytes> read(std::uint64_t offset, std::uint64_t count) {
    if (offset > size_ || count > size_ - offset) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(count));
    if (!read(offset, count, bytes.data())) return std::nullopt;
    return bytes;
  }

 private:
  std::ifstream in_;
  std::span<const std::uint8_t> bytes_;
  bool open_ = false;
  std::uint64_t size_ = 0;
};

std::uint32_t le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p) { return le16(p) | (le16(p + 2) << 16); }
std::uint32_t be16(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }
std::uint32_t be32(const std::uint8_t* p) { return (be16(p) << 16) | be16(p + 2); }
bool hasTag(const std::uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// ---------------------------------------------------------------------------
// RIFF/WAVE

std::optional<double> wavLength(FileReader& file) {
  std::uint8_t header[12];
  if (!file.read(0, 12, header) || !hasTag(header, "RIFF") || !hasTag(header + 8, "WAVE"))
    return std::nullopt;
  const std::uint64_t riffEnd = 8 + static_cast<std::uint64_t>(le32(header + 4));
  if (riffEnd > file.size()) return std::nullopt;  // cut short

  std::optional<std::uint32_t> sampleRate;
  std::uint32_t blockAlign = 0;
  std::optional<std::uint64_t> dataBytes;
  std::uint64_t pos = 12;
  while (pos + 8 <= riffEnd) {
    std::uint8_t chunk[8];
    if (!file.read(pos, 8, chunk)) return std::nullopt;
    const std::uint64_t body = pos + 8;
    const std::uint32_t size = le32(chunk + 4);
    if (size > riffEnd - body) return std::nullopt;

    if (hasTag(chunk, "fmt ") && !sampleRate) {
      std::uint8_t fmt[16];
      if (size < 16 || !file.read(body, 16, fmt)) return std::nullopt;
      const std::uint32_t format = le16(fmt);
      const std::uint32_t channels = le16(fmt + 2);
      // Frames are only data bytes / block align for uncompressed formats.
      const bool uncompressed = format == 1 || format == 3 || format == 6 || format == 7 || format == 0xFFFE;
      if (!uncompressed || channels == 0) return std::nullopt;
      sampleRate = le32(fmt + 4);
      blockAlign = le16(fmt + 12);
      if (*sampleRate == 0 || blockAlign == 0) return std::nullopt;
    } else if (hasTag(chunk, "data") && !dataBytes) {
      dataBytes = size;
    }
    pos = body + size + (size & 1);  // chunks are padded to an even size
  }
  if (!sampleRate || !dataBytes) return std::nullopt;
  return static_cast<double>(*dataBytes / blockAlign) / *sampleRate;
}

// ---------------------------------------------------------------------------
// Standard MIDI File

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsPerQuarter;
};

class TrackParser {
 public:
  explicit TrackParser(const Bytes& track) : t_(track) {}

  // Walks every event; false if the track is malformed.
  bool run(std::vector<TempoChange>& tempos) {
    std::uint8_t runningStatus = 0;
    while (i_ < t_.size()) {
      std::uint32_t delta = 0;
      if (!varLen(delta)) return false;
      tick_ += delta;
      if (i_ >= t_.size()) return false;

      std::uint8_t status = t_[i_];
      if (status < 0x80) {
        if (runningStatus == 0) return false;  // data with no status to repeat
        status = runningStatus;
      } else {
        ++i_;
      }

      if (status == 0xFF) {  // meta event
        runningStatus = 0;
        if (i_ >= t_.size()) return false;
        const std::uint8_t type = t_[i_++];
        std::uint32_t length = 0;
        if (!varLen(length) || length > t_.size() - i_) return false;
        if (type == 0x51) {
          if (length != 3) return false;
          const std::uint32_t micros = (t_[i_] << 16) | (t_[i_ + 1] << 8) | t_[i_ + 2];
          if (micros == 0) return false;
          tempos.push_back({tick_, micros});
        }
        i_ += length;
        lastEventTick_ = tick_;
        if (type == 0x2F) return true;                // end of track
      } else if (status == 0xF0 || status == 0xF7) {  // system exclusive
        runningStatus = 0;
        std::uint32_t length = 0;
        if (!varLen(length) || length > t_.size() - i_) return false;
        i_ += length;
        lastEventTick_ = tick_;
      } else if (status >= 0xF0) {
        return false;  // real-time and common messages never appear in files
      } else {
        runningStatus = status;
        const std::size_t dataBytes = (status & 0xE0) == 0xC0 ? 1 : 2;  // program, pressure: 1
        if (dataBytes > t_.size() - i_) return false;
        for (std::size_t k = 0; k < dataBytes; ++k) {
          if (t_[i_ + k] >= 0x80) return false;
        }
        i_ += dataBytes;
        lastEventTick_ = tick_;
      }
    }
    return true;  // no end-of-track event, but every event was whole
  }

  std::uint64_t lastEventTick() const { return lastEventTick_; }

 private:
  // At most four bytes, seven bits each.
  bool varLen(std::uint32_t& value) {
    value = 0;
    for (int k = 0; k < 4; ++k) {
      if (i_ >= t_.size()) return false;
      const std::uint8_t b = t_[i_++];
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }

  const Bytes& t_;
  std::size_t i_ = 0;
  std::uint64_t tick_ = 0;
  std::uint64_t lastEventTick_ = 0;
};

double ticksToSeconds(std::uint64_t endTick, std::vector<TempoChange> tempos, std::uint32_t ticksPerQuarter) {
  // Tempo changes from all tracks act on one shared timeline.
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  double micros = 0.0;
  std::uint64_t tick = 0;
  std::uint32_t microsPerQuarter = 500000;
  for (const TempoChange& change : tempos) {
    if (change.tick >= endTick) break;
    micros += static_cast<double>(change.tick - tick) * microsPerQuarter;
    tick = change.tick;
    microsPerQuarter = change.microsPerQuarter;
  }
  micros += static_cast<double>(endTick - tick) * microsPerQuarter;
  return micros / 1e6 / ticksPerQuarter;
}

std::optional<double> midiLength(FileReader& file) {
  std::uint8_t header[14];
  if (!file.read(0, 14, header) || !hasTag(header, "MThd")) return std::nullopt;
  const std::uint32_t headerSize = be32(header + 4);
  const std::uint32_t format = be16(header + 8);
  const std::uint32_t trackCount = be16(header + 10);
  const std::uint32_t division = be16(header + 12);
  if (headerSize < 6 || format > 1 || trackCount == 0 || (format == 0 && trackCount != 1))
    return std::nullopt;

  double secondsPerTick = 0.0;  // stays 0 for ticks-per-quarter files, which follow the tempo map
  if (division & 0x8000) {
    const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    const std::uint32_t ticksPerFrame = division & 0xFF;
    if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 && framesPerSecond != 30) {
      return std::nullopt;
    }
    if (ticksPerFrame == 0) return std::nullopt;
    const double frameRate = framesPerSecond == 29 ? 30000.0 / 1001.0 : framesPerSecond;
    secondsPerTick = 1.0 / (frameRate * ticksPerFrame);
  } else if (division == 0) {
    return std::nullopt;
  }

  std::vector<TempoChange> tempos;
  std::uint64_t endTick = 0;
  std::uint64_t pos = 8 + static_cast<std::uint64_t>(headerSize);
  std::uint32_t tracksRead = 0;
  while (tracksRead < trackCount) {
    std::uint8_t chunk[8];
    if (!file.read(pos, 8, chunk)) return std::nullopt;  // fewer tracks than promised
    const std::uint32_t size = be32(chunk + 4);
    if (hasTag(chunk, "MTrk")) {
      const auto track = file.read(pos + 8, size);
      if (!track) return std::nullopt;
      TrackParser parser(*track);
      if (!parser.run(tempos)) return std::nullopt;
      endTick = std::max(endTick, parser.lastEventTick());
      ++tracksRead;
    } else if (size > file.size() - (pos + 8)) {  // other chunks are skipped, but must be whole
      return std::nullopt;
    }
    pos += 8 + static_cast<std::uint64_t>(size);
  }

  if (secondsPerTick > 0.0) return static_cast<double>(endTick) * secondsPerTick;
  return ticksToSeconds(endTick, std::move(tempos), division);
}

std::optional<double> lengthOf(FileReader& reader) {
  if (!reader.isOpen()) return std::nullopt;
  std::uint8_t magic[4];
  if (!reader.read(0, 4, magic)) return std::nullopt;
  std::optional<double> seconds;
  if (hasTag(magic, "RIFF")) seconds = wavLength(reader);
  if (hasTag(magic, "MThd")) seconds = midiLength(reader);
  if (seconds && !(*seconds <= kLongestSoundSeconds)) return std::nullopt;
  return seconds;
}

}  // namespace

std::optional<double> soundLengthSeconds(const std::filesystem::path& file) {
  FileReader reader(file);
  return lengthOf(reader);
}

std::optional<double> soundLengthSecondsOf(std::span<const std::uint8_t> bytes) {
  FileReader reader(bytes);
  return lengthOf(reader);
}

}  // namespace mojara::assets
