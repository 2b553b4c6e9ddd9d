#pragma once
// The header of a PCM WAV file, for sounds written back out of the module's resources.

#include <cstdint>
#include <vector>

namespace audio {

// The 44 bytes before the samples of a PCM WAV file whose data chunk holds `data_size`
// bytes of `channels` interleaved samples of `bits` bits at `rate` samples per second.
// The RIFF size counts the pad byte an odd data chunk is followed by.
std::vector<std::uint8_t> PcmWavHeader(int channels, int bits, std::uint32_t rate,
                                       std::uint32_t data_size);

}  // namespace audio
