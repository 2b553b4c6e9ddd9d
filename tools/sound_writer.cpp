#include "sound_writer.h"

namespace tools {

namespace {

void Put16(Bytes& out, unsigned value) {
  out.push_back(std::uint8_t(value & 0xFF));
  out.push_back(std::uint8_t((value >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutTag(Bytes& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(tag[i]));
}

}  // namespace

Bytes EncodeWav16(int rate, const std::vector<std::int16_t>& samples) {
  const auto data_size = std::uint32_t(samples.size() * 2);
  Bytes out;
  out.reserve(44 + data_size);
  PutTag(out, "RIFF");
  Put32(out, 36 + data_size);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, std::uint32_t(rate));
  Put32(out, std::uint32_t(rate) * 2);  // bytes per second
  Put16(out, 2);                        // bytes per frame
  Put16(out, 16);                       // bits per sample
  PutTag(out, "data");
  Put32(out, data_size);
  for (const std::int16_t sample : samples)
    Put16(out, std::uint16_t(sample));
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
