#pragma once
// Reading a WAV file's header fields and walking its chunks to the sample data. Only
// 8- and 16-bit PCM with one or two channels is accepted; every read is checked against
// the end of the file.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace audio {

// Items of the "Sound Channels:" and "BitsPerSample:" choices.
enum ChannelChoice { kNoChannel = -1, kLeftChannel = 0, kRightChannel = 1, kTwoChannel = 2 };
enum BitChoice { kNoBits = -1, kEightBits = 0, kSixteenBits = 1, kUnknownBits = 2 };

struct WavInfo {
  std::uint64_t file_size = 0;
  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;         // C
  std::uint32_t samples_per_sec = 0;  // R
  std::uint32_t avg_bytes_per_sec = 0;
  std::uint16_t bits_per_sample = 0;  // S
  // D: the size of the data chunk, cut to the bytes the file really holds.
  std::uint32_t data_size = 0;
  std::uint64_t data_start = 0;  // file offset of the first sample byte
  bool data_found = false;
  bool format_accepted = false;  // C is 1 or 2 and S is 8 or 16
  // What loading selects in the choices; kNoChannel leaves the channel choice alone.
  int channel_choice = kNoChannel;
  int bit_choice = kNoBits;
  // The boxes loading shows, in order.
  std::vector<platform::Message> messages;

  // Only a file with accepted samples and a data chunk can be converted.
  [[nodiscard]] bool Convertible() const { return format_accepted && data_found; }
};

// Parses the bytes of a whole WAV file.
WavInfo ParseWav(std::span<const std::uint8_t> file);

// Reads and parses a file; "打开文件失败!" when it cannot be read.
platform::Result<WavInfo> LoadWav(const std::string& path);

}  // namespace audio
