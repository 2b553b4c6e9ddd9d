#pragma once
// Small WAV files made in memory for the audio tests.

#include <cstdint>
#include <string>
#include <vector>

namespace audio::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// RIFF header and a format chunk of `format_size` bytes (16 or more).
inline Bytes WavHeader(int channels, int bits, std::uint32_t rate, std::uint32_t format_size = 16) {
  Bytes bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  PutLe(bytes, format_size, 4);
  PutLe(bytes, 1, 2);  // PCM
  PutLe(bytes, static_cast<std::uint32_t>(channels), 2);
  PutLe(bytes, rate, 4);
  PutLe(bytes, rate * static_cast<std::uint32_t>(channels * bits / 8), 4);
  PutLe(bytes, static_cast<std::uint32_t>(channels * bits / 8), 2);
  PutLe(bytes, static_cast<std::uint32_t>(bits), 2);
  bytes.resize(20 + format_size, 0);
  return bytes;
}

// Appends a chunk; `declared` overrides the size field (for cut-short files).
inline void AddChunk(Bytes& wav, const std::string& id, const Bytes& body,
                     long long declared = -1) {
  wav.insert(wav.end(), id.begin(), id.end());
  PutLe(wav, static_cast<std::uint32_t>(declared < 0 ? body.size() : declared), 4);
  wav.insert(wav.end(), body.begin(), body.end());
}

inline Bytes PcmWav(int channels, int bits, std::uint32_t rate, const Bytes& samples) {
  Bytes wav = WavHeader(channels, bits, rate);
  AddChunk(wav, "data", samples);
  return wav;
}

// `count` bytes 0, 1, 2 ... (wrapping), so each output byte tells where it came from.
inline Bytes Counting(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

}  // namespace audio::test
