#include "platform/wave_file.h"

#include <algorithm>

#include "host/host.h"

namespace {

constexpr std::uint32_t kMaxRate = 384000;
constexpr std::size_t kMaxSamples = std::size_t{1} << 24;  // over 25 minutes of sound

std::uint32_t Le16(const std::uint8_t* p) {
  return p[0] | (p[1] << 8);
}
std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Chunk {
  std::span<const std::uint8_t> body;  // only the bytes that exist
  bool found = false;
};

// Walks the form's sub-chunks for `id`, skipping the others.
Chunk FindChunk(std::span<const std::uint8_t> form, const char* id) {
  std::size_t at = 0;
  while (at + 8 <= form.size()) {
    const std::uint32_t size = Le32(&form[at + 4]);
    const std::size_t start = at + 8;
    const std::size_t available = std::min<std::size_t>(size, form.size() - start);
    if (std::equal(id, id + 4, form.begin() + at)) return {form.subspan(start, available), true};
    at = start + static_cast<std::size_t>(size) + (size & 1);
  }
  return {};
}

}  // namespace

std::optional<WaveData> ParseWave(std::span<const std::uint8_t> bytes, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  if (bytes.size() < 12 || !std::equal(bytes.begin(), bytes.begin() + 4, "RIFF") ||
      !std::equal(bytes.begin() + 8, bytes.begin() + 12, "WAVE")) {
    *error = "not a RIFF WAVE file";
    return std::nullopt;
  }
  const auto form = bytes.subspan(12);
  const Chunk fmt = FindChunk(form, "fmt ");
  if (!fmt.found || fmt.body.size() < 16) {
    *error = "no format chunk";
    return std::nullopt;
  }
  const std::uint32_t tag = Le16(&fmt.body[0]);
  const std::uint32_t channels = Le16(&fmt.body[2]);
  const std::uint32_t rate = Le32(&fmt.body[4]);
  const std::uint32_t bits = Le16(&fmt.body[14]);
  if (tag != 1) {
    *error = "not PCM (format tag " + std::to_string(tag) + ")";
    return std::nullopt;
  }
  if (channels == 0 || channels > 8 || (bits != 8 && bits != 16) || rate == 0 || rate > kMaxRate) {
    *error = "unsupported PCM layout";
    return std::nullopt;
  }
  const Chunk data = FindChunk(form, "data");
  if (!data.found) {
    *error = "no data chunk";
    return std::nullopt;
  }

  WaveData wave;
  wave.sampleRate = rate;
  wave.dataSize = static_cast<std::uint32_t>(data.body.size());
  const std::size_t frameBytes = channels * (bits / 8);
  const std::size_t frames = std::min(data.body.size() / frameBytes, kMaxSamples);
  if (channels == 1 && bits == 8 && rate == static_cast<std::uint32_t>(kMixRate)) {
    // The game's own files: no mixing down, no resampling.
    wave.samples.resize(frames);
    for (std::size_t f = 0; f < frames; ++f) {
      wave.samples[f] =
          static_cast<std::int16_t>((static_cast<std::int32_t>(data.body[f]) - 128) << 8);
    }
    return wave;
  }
  // Mono at the source rate first, each frame the average of its channels.
  std::vector<std::int32_t> mono(frames);
  for (std::size_t f = 0; f < frames; ++f) {
    const std::uint8_t* p = &data.body[f * frameBytes];
    std::int32_t sum = 0;
    for (std::uint32_t c = 0; c < channels; ++c) {
      sum += bits == 8 ? (static_cast<std::int32_t>(p[c]) - 128) << 8
                       : static_cast<std::int16_t>(Le16(p + 2 * c));
    }
    mono[f] = sum / static_cast<std::int32_t>(channels);
  }
  // Then to the mix rate, linearly interpolated.
  const std::size_t outCount =
      rate == static_cast<std::uint32_t>(kMixRate)
          ? frames
          : static_cast<std::size_t>(static_cast<std::uint64_t>(frames) * kMixRate / rate);
  wave.samples.resize(outCount);
  for (std::size_t i = 0; i < outCount; ++i) {
    const std::uint64_t pos = static_cast<std::uint64_t>(i) * rate * 256 / kMixRate;
    const std::size_t f = pos >> 8;
    const std::int32_t frac = pos & 255;
    const std::int32_t a = mono[std::min(f, frames - 1)];
    const std::int32_t b = mono[std::min(f + 1, frames - 1)];
    wave.samples[i] = static_cast<std::int16_t>(a + (b - a) * frac / 256);
  }
  return wave;
}
