#include "audio/wav_writer.h"

namespace audio {

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put(std::vector<std::uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<std::uint8_t> PcmWavHeader(int channels, int bits, std::uint32_t rate,
                                       std::uint32_t data_size) {
  const std::uint32_t pad = data_size % 2;  // chunks are padded to an even length
  const std::uint32_t block = std::uint32_t(channels) * std::uint32_t(bits / 8);
  std::vector<std::uint8_t> out;
  out.reserve(44);
  Put(out, "RIFF");
  Put(out, 36 + data_size + pad, 4);
  Put(out, "WAVE");
  Put(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, std::uint32_t(channels), 2);
  Put(out, rate, 4);
  Put(out, rate * block, 4);  // bytes per second
  Put(out, block, 2);         // bytes per frame
  Put(out, std::uint32_t(bits), 2);
  Put(out, "data");
  Put(out, data_size, 4);
  return out;
}

}  // namespace audio
