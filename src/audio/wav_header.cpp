#include "audio/wav_header.h"

#include <algorithm>
#include <string_view>

#include "audio/wav_messages.h"
#include "platform/file_io.h"
#include "platform/read_limits.h"

namespace audio {

namespace {

// The format fields end at offset 36; the second chunk's size sits at 16.
constexpr std::uint64_t kHeaderEnd = 36;
constexpr std::uint64_t kFormatChunkBody = 20;
constexpr std::uint64_t kChunkHeader = 8;

std::uint16_t Le16(std::span<const std::uint8_t> file, std::uint64_t at) {
  return static_cast<std::uint16_t>(file[at] | (file[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> file, std::uint64_t at) {
  return static_cast<std::uint32_t>(file[at]) | (static_cast<std::uint32_t>(file[at + 1]) << 8) |
         (static_cast<std::uint32_t>(file[at + 2]) << 16) |
         (static_cast<std::uint32_t>(file[at + 3]) << 24);
}

std::string_view ChunkId(std::span<const std::uint8_t> file, std::uint64_t at) {
  return {reinterpret_cast<const char*>(file.data() + at), 4};
}

void CheckFormat(WavInfo& info) {
  info.format_accepted = true;
  if (info.channels == 1) {
    info.channel_choice = kLeftChannel;
  } else if (info.channels == 2) {
    info.channel_choice = kTwoChannel;
  } else {
    info.messages.push_back(
        platform::Error("Can't support " + std::to_string(info.channels) + " channels wav files"));
    info.format_accepted = false;
  }
  if (info.bits_per_sample == 8) {
    info.bit_choice = kEightBits;
  } else if (info.bits_per_sample == 16) {
    info.bit_choice = kSixteenBits;
  } else {
    info.bit_choice = kUnknownBits;
    info.messages.push_back(platform::Error(
        "Can't support " + std::to_string(info.bits_per_sample) + " BitsPerSample wav files"));
    info.format_accepted = false;
  }
}

void KeepDataChunk(WavInfo& info, std::uint64_t offset, std::uint32_t declared) {
  info.data_found = true;
  info.data_start = offset + kChunkHeader;
  const std::uint64_t present = info.file_size - info.data_start;
  info.data_size = static_cast<std::uint32_t>(std::min<std::uint64_t>(declared, present));
  if (info.data_size < declared) {
    info.messages.push_back(platform::Warning(std::string(kDataChunkCut) +
                                              std::to_string(info.data_size) + " of " +
                                              std::to_string(declared) + " bytes are in the file"));
  }
}

// The chunks after the format chunk: fact and LIST are skipped, data is kept, anything
// else ends the walk. Sizes are taken as they are, so no pad byte follows an odd body.
void WalkChunks(std::span<const std::uint8_t> file, WavInfo& info) {
  std::uint64_t offset = kFormatChunkBody + Le32(file, 16);
  while (offset < file.size()) {
    if (file.size() - offset < kChunkHeader) {
      info.messages.push_back(platform::Warning(kChunkHeaderCut));
      return;
    }
    const std::string_view id = ChunkId(file, offset);
    const std::uint32_t size = Le32(file, offset + 4);
    if (id == "data") {
      KeepDataChunk(info, offset, size);
    } else if (id != "fact" && id != "LIST") {
      info.messages.push_back(platform::Warning(kErrorChunk));
      return;
    }
    offset += kChunkHeader + size;
  }
}

}  // namespace

WavInfo ParseWav(std::span<const std::uint8_t> file) {
  WavInfo info;
  info.file_size = file.size();
  if (file.size() < kHeaderEnd) {
    info.messages.push_back(platform::Error(kHeaderTooShort));
    return info;
  }
  info.format_tag = Le16(file, 20);
  info.channels = Le16(file, 22);
  info.samples_per_sec = Le32(file, 24);
  info.avg_bytes_per_sec = Le32(file, 28);
  info.bits_per_sample = Le16(file, 34);
  CheckFormat(info);
  WalkChunks(file, info);
  if (!info.data_found)
    info.messages.push_back(platform::Error(kNoDataChunk));
  return info;
}

platform::Result<WavInfo> LoadWav(const std::string& path) {
  const auto file = platform::ReadFile(path, platform::kWavFileLimit);
  if (!file)
    return platform::Because(platform::Error(kOpenFileFailed), path, file.error().text);
  return ParseWav(*file);
}

}  // namespace audio
