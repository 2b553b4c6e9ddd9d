#pragma once
// A BMP file's headers, read the way Qt's reader reads them but without Qt, so the pixel
// data a header promises can be checked against the bytes present before Qt allocates
// the picture.

#include <cstdint>
#include <span>

#include "platform/message.h"

namespace platform {

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, whichever way they run
  int bits = 0;             // bits per pixel
  std::uint32_t compression = 0;
  std::int64_t pixel_start = 0;  // where the pixel data begins in the file
};

Result<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> file);

// An error when the picture is too large, or when the file cannot hold the pixels its
// header claims: every row of an uncompressed picture; for a run-length picture, data up
// to its end (or its last row), and over kRleFreePixels pixels, a byte for each
// kRlePixelsPerByte pixels.
inline constexpr std::int64_t kRleFreePixels = std::int64_t{1} << 22;
inline constexpr std::int64_t kRlePixelsPerByte = 256;
Result<Ok> CheckBmpPixelData(const BmpHeader& header, std::span<const std::uint8_t> file);

}  // namespace platform
