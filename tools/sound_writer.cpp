#include "sound_writer.h"

#include "audio/wav_writer.h"

namespace tools {

Bytes EncodeWav16(int rate, const std::vector<std::int16_t>& samples) {
  const auto data_size = std::uint32_t(samples.size() * 2);
  Bytes out = audio::PcmWavHeader(1, 16, std::uint32_t(rate), data_size);
  out.reserve(out.size() + data_size);
  for (const std::int16_t sample : samples)
    for (const int shift : {0, 8})
      out.push_back(std::uint8_t(std::uint16_t(sample) >> shift));
  return out;
}

std::vector<std::int16_t> SquareWave(int rate, int hertz, int milliseconds) {
  const int count = rate * milliseconds / 1000;
  const int half_period = rate / hertz / 2;
  std::vector<std::int16_t> samples(std::size_t(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i)
    samples[std::size_t(i)] = (i / half_period) % 2 == 0 ? 8000 : -8000;
  return samples;
}

}  // namespace tools
