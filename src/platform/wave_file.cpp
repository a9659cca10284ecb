#include "platform/wave_file.h"

#include <algorithm>
#include <bit>

#include "host/host.h"

namespace {

constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 384000;
constexpr std::size_t kMaxSamples = std::size_t{1} << 24;  // over 25 minutes at the mix rate
constexpr std::uint32_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

std::uint32_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
  return Le16(p) | (Le16(p + 2) << 16);
}

struct Chunk {
  std::span<const std::uint8_t> body;  // only the bytes that exist
  std::size_t at = 0;                  // where the body starts in the form
  bool found = false;
};

// Walks the form's sub-chunks for `id`, skipping the others.
Chunk FindChunk(std::span<const std::uint8_t> form, const char* id) {
  std::size_t at = 0;
  while (at + 8 <= form.size()) {
    const std::uint32_t size = Le32(&form[at + 4]);
    const std::size_t start = at + 8;
    const std::size_t available = std::min<std::size_t>(size, form.size() - start);
    if (std::equal(id, id + 4, form.begin() + static_cast<std::ptrdiff_t>(at))) {
      return {form.subspan(start, available), start, true};
    }
    at = start + static_cast<std::size_t>(size) + (size & 1);
  }
  return {};
}

// One sample of a frame as a 16-bit value; `bits` is 8, 16, 24 or 32 for
// integers, 32 or 64 for floating point.
std::int32_t Sample(const std::uint8_t* p, std::uint32_t bits, bool floating) {
  if (floating) {
    double v = 0;
    if (bits == 32) {
      v = std::bit_cast<float>(Le32(p));
    } else {
      v = std::bit_cast<double>(std::uint64_t{Le32(p)} | (std::uint64_t{Le32(p + 4)} << 32));
    }
    if (!(v > -1.0)) v = v != v ? 0.0 : -1.0;  // NaN is silence
    if (v > 1.0) v = 1.0;
    return static_cast<std::int32_t>(v * 32767.0);
  }
  switch (bits) {
    case 8:
      return (static_cast<std::int32_t>(p[0]) - 128) * 256;
    case 16:
      return static_cast<std::int16_t>(Le16(p));
    default:  // 24 and 32 bits: the top two bytes
      return static_cast<std::int16_t>(Le16(p + bits / 8 - 2));
  }
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
  // Eighteen bytes are read from the start of the format chunk; a short chunk
  // reads on into the header of the next.
  if (!fmt.found || fmt.body.size() < 14 || form.size() - fmt.at < 18) {
    *error = "no format chunk";
    return std::nullopt;
  }
  const std::uint8_t* f = &form[fmt.at];
  std::uint32_t tag = Le16(f);
  const std::uint32_t channels = Le16(f + 2);
  const std::uint32_t rate = Le32(f + 4);
  const std::uint32_t align = Le16(f + 12);
  // A 14-byte chunk has no sample size; the block alignment tells it.
  std::uint32_t bits = fmt.body.size() >= 16 ? Le16(f + 14) : channels ? align * 8 / channels : 0;
  if (tag == kExtensible && fmt.body.size() >= 26) tag = Le16(f + 24);  // the sub-format
  if (tag != kPcm && tag != kFloat) {
    *error = "not PCM (format tag " + std::to_string(tag) + ")";
    return std::nullopt;
  }
  if (rate < kMinRate || rate > kMaxRate) {
    *error = "sample rate " + std::to_string(rate) + " Hz is outside " + std::to_string(kMinRate) +
             " to " + std::to_string(kMaxRate) + " Hz";
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
  const bool floating = tag == kFloat;
  const bool convertible =
      channels >= 1 &&
      (floating ? bits == 32 || bits == 64 : bits == 8 || bits == 16 || bits == 24 || bits == 32);
  std::uint32_t from = rate;
  if (!convertible) {
    // What we cannot convert plays its bytes as 8-bit mono at 11025 Hz.
    bits = 8;
    from = 11025;
  }
  const std::uint32_t width = convertible ? channels : 1;
  const std::size_t frameBytes = std::size_t{width} * (bits / 8);
  // Both ends are bounded: at most kMaxSamples frames are read and at most
  // kMaxSamples samples are made of them.
  const std::size_t frames = std::min(data.body.size() / frameBytes, kMaxSamples);
  const std::size_t outCount = std::min<std::size_t>(
      static_cast<std::size_t>(static_cast<std::uint64_t>(frames) * kMixRate / from), kMaxSamples);
  if (width == 1 && bits == 8 && from == static_cast<std::uint32_t>(kMixRate)) {
    // The game's own files: no mixing down, no resampling.
    wave.samples.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
      wave.samples[i] = static_cast<std::int16_t>(Sample(&data.body[i], 8, false));
    }
    return wave;
  }
  // Mono at the source rate first, each frame the average of its channels.
  std::vector<std::int32_t> mono(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const std::uint8_t* p = &data.body[i * frameBytes];
    std::int64_t sum = 0;
    for (std::uint32_t c = 0; c < width; ++c) sum += Sample(p + c * (bits / 8), bits, floating);
    mono[i] = static_cast<std::int32_t>(sum / width);
  }
  // Then to the mix rate, linearly interpolated.
  wave.samples.resize(outCount);
  for (std::size_t i = 0; i < outCount; ++i) {
    const std::uint64_t pos = static_cast<std::uint64_t>(i) * from * 256 / kMixRate;
    const std::size_t at = static_cast<std::size_t>(pos >> 8);
    const std::int32_t frac = static_cast<std::int32_t>(pos & 255);
    const std::int32_t a = mono[std::min(at, frames - 1)];
    const std::int32_t b = mono[std::min(at + 1, frames - 1)];
    wave.samples[i] = static_cast<std::int16_t>(a + (b - a) * frac / 256);
  }
  return wave;
}
