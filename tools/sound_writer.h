#pragma once
// Writes PCM WAV files for the demo and the tests.

#include <cstdint>
#include <vector>

#include "picture_writer.h"

namespace tools {

// A RIFF/WAVE file of 16-bit little-endian mono samples at `rate` samples per second.
Bytes EncodeWav16(int rate, const std::vector<std::int16_t>& samples);

// `milliseconds` of a square wave of `hertz` at `rate`, half of full scale.
std::vector<std::int16_t> SquareWave(int rate, int hertz, int milliseconds);

}  // namespace tools
