#pragma once
// Sounds read back: the sample format from the listing the WAV tool writes beside a
// sound resource, and a PCM WAV file around the stored samples.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/file_io.h"

namespace viewer {

struct SoundFormat {
  int channels = 1;
  int bits = 8;
  std::uint32_t rate = 8000;
  bool from_listing = false;  // read from the listing beside the sound
  friend bool operator==(const SoundFormat&, const SoundFormat&) = default;
};

// The channels (line 2), bits (line 3) and samples per second (line 4) of a sound
// listing; nothing when the text is no such listing.
std::optional<SoundFormat> ReadSoundListing(std::span<const std::uint8_t> listing);

// A PCM WAV file whose data chunk is `samples` unchanged, except that `signed_8` adds
// 0x80 to every 8-bit sample (the high bytes of 16-bit samples are signed, a WAV's 8-bit
// samples are not).
platform::Bytes PcmWav(std::span<const std::uint8_t> samples, const SoundFormat& format,
                       bool signed_8);

}  // namespace viewer
