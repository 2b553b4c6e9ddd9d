#pragma once
// The largest file each reader takes whole. They are far above anything these modules
// use (no panel comes near 2^28 pixels, no flash near 4 GiB), and a file past its limit
// is refused before a byte of it is read.

#include <cstdint>

#include "platform/file_io.h"

namespace platform {

// A picture of 2^28 pixels as a 32-bit BMP.
inline constexpr std::uint64_t kPictureFileLimit = 1 * kGiB;
inline constexpr std::uint64_t kGifFileLimit = 256 * kMiB;
inline constexpr std::uint64_t kWavFileLimit = 1 * kGiB;
// Project files, address lists, string font texts and cursor listings.
inline constexpr std::uint64_t kTextFileLimit = 64 * kMiB;

}  // namespace platform
