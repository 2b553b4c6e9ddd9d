#include "viewer/sound_wav.h"

#include "audio/wav_writer.h"

#include <string>
#include <vector>

namespace viewer {

namespace {

// The number a listing line begins with; nothing when it begins with no digit.
std::optional<std::uint64_t> LeadingNumber(const std::string& line) {
  std::uint64_t value = 0;
  std::size_t digits = 0;
  for (; digits < line.size() && digits < 10 && line[digits] >= '0' && line[digits] <= '9';
       ++digits)
    value = value * 10 + std::uint64_t(line[digits] - '0');
  if (digits == 0)
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<SoundFormat> ReadSoundListing(std::span<const std::uint8_t> listing) {
  std::vector<std::string> lines(1);
  for (std::uint8_t byte : listing) {
    if (byte == '\n') {
      if (lines.size() == 6)
        break;
      lines.emplace_back();
    } else if (byte != '\r') {
      lines.back().push_back(static_cast<char>(byte));
    }
  }
  if (lines.size() < 4 || lines[0].rfind("{", 0) != 0)
    return std::nullopt;
  const auto channels = LeadingNumber(lines[1]);
  const auto bits = LeadingNumber(lines[2]);
  const auto rate = LeadingNumber(lines[3]);
  if (!channels || !bits || !rate || (*channels != 1 && *channels != 2) ||
      (*bits != 8 && *bits != 16) || *rate == 0 || *rate > 0xFFFFFFFFu)
    return std::nullopt;
  return SoundFormat{int(*channels), int(*bits), std::uint32_t(*rate), true};
}

platform::Bytes PcmWav(std::span<const std::uint8_t> samples, const SoundFormat& format,
                       bool signed_8) {
  const std::uint32_t data_size = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t pad = data_size % 2;  // chunks are padded to an even length
  platform::Bytes out = audio::PcmWavHeader(format.channels, format.bits, format.rate, data_size);
  const std::size_t start = out.size();
  out.resize(start + samples.size() + pad, 0);
  const std::uint8_t offset = signed_8 && format.bits == 8 ? 0x80 : 0x00;
  for (std::size_t i = 0; i < samples.size(); ++i)
    out[start + i] = static_cast<std::uint8_t>(samples[i] + offset);
  return out;
}

}  // namespace viewer
