#include "platform/bmp_header.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/picture_decoders.h"

namespace platform {

namespace {

constexpr std::size_t kFileHeader = 14;
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

// The bytes Qt reads of an info header of this size: the Windows headers whole (the
// 64-byte OS/2 one as far as the Windows fields go), anything else as the 12-byte core
// header.
std::size_t InfoHeaderRead(std::uint32_t size) {
  switch (size) {
    case 40:
    case 64:
      return 40;
    case 108:
    case 124:
      return size;
    default:
      return 12;
  }
}

// Whether run-length data holds every row before it ends, walked the way Qt's reader
// walks it (runs and literal pixels cut at the row's end, jumps kept within the picture)
// but without drawing.
bool RunLengthComplete(std::span<const std::uint8_t> data, const BmpHeader& header) {
  const bool four_bit = header.compression == kRle4;
  std::size_t at = 0;
  std::int64_t x = 0, y = 0;
  while (y < header.height) {
    if (data.size() - at < 2)
      return false;
    const std::uint8_t count = data[at], code = data[at + 1];
    at += 2;
    if (count != 0) {
      x += std::min<std::int64_t>(count, header.width - x);  // a run of one colour
    } else if (code == 0) {
      x = 0;  // end of line
      ++y;
    } else if (code == 1) {
      return true;  // end of picture: the rest keeps the background
    } else if (code == 2) {
      if (data.size() - at < 2)
        return false;
      x = std::min<std::int64_t>(x + data[at], header.width - 1);  // a jump right and down
      y = std::min<std::int64_t>(y + data[at + 1], header.height - 1);
      at += 2;
    } else {
      // Literal pixels, padded to an even count of bytes.
      const std::int64_t pixels = std::min<std::int64_t>(code, header.width - x);
      std::size_t bytes = static_cast<std::size_t>(four_bit ? (pixels + 1) / 2 : pixels);
      bytes += bytes % 2;
      if (data.size() - at < bytes)
        return false;
      at += bytes;
      x += pixels;
    }
  }
  return true;
}

std::string Size(const BmpHeader& header) {
  return std::to_string(header.width) + " x " + std::to_string(header.height);
}

}  // namespace

Result<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
    return Error("BMP: not a BMP file");
  if (file.size() < kFileHeader + 4)
    return Error("BMP: the file ends inside its header");
  const std::uint32_t info_size = Little(file, kFileHeader, 4);
  const std::size_t info_read = InfoHeaderRead(info_size);
  if (file.size() < kFileHeader + info_read)
    return Error("BMP: the file ends inside its header");

  BmpHeader header;
  std::uint32_t colours_used = 0;
  const std::size_t at = kFileHeader + 4;
  if (info_read == 12) {
    header.width = static_cast<std::int16_t>(Little(file, at, 2));
    header.height = static_cast<std::int16_t>(Little(file, at + 2, 2));
    header.bits = static_cast<int>(Little(file, at + 6, 2));
  } else {
    header.width = static_cast<std::int32_t>(Little(file, at, 4));
    header.height = static_cast<std::int32_t>(Little(file, at + 4, 4));
    header.bits = static_cast<int>(Little(file, at + 10, 2));
    header.compression = Little(file, at + 12, 4);
    colours_used = Little(file, at + 28, 4);
  }
  header.height = std::abs(header.height);

  // The colour table (or the three masks after a plain Windows header) comes next; the
  // pixels start there, or at the header's offset when that lies further on.
  std::int64_t tables = 0;
  if (header.bits == 1 || header.bits == 4 || header.bits == 8) {
    const std::int64_t colours = colours_used ? colours_used : std::int64_t{1} << header.bits;
    tables = colours * (info_size == 12 ? 3 : 4);
  } else if (header.compression == kBitFields && info_size == 40) {
    tables = 12;
  }
  const std::int64_t offset = static_cast<std::int32_t>(Little(file, 10, 4));
  header.pixel_start =
      std::max<std::int64_t>(static_cast<std::int64_t>(kFileHeader + info_read) + tables, offset);
  return header;
}

Result<Ok> CheckBmpPixelData(const BmpHeader& header, std::span<const std::uint8_t> file) {
  if (!PictureSizeAcceptable(header.width, header.height))
    return Error("BMP: picture too large");
  const std::span<const std::uint8_t> data = file.subspan(
      std::min<std::size_t>(file.size(), static_cast<std::size_t>(header.pixel_start)));
  const auto present = static_cast<std::int64_t>(data.size());
  const std::int64_t pixels = header.width * header.height;
  if (header.compression == kRgb || header.compression == kBitFields) {
    const std::int64_t stride = (header.width * header.bits + 31) / 32 * 4;
    const std::int64_t needed = stride * header.height;
    if (needed > present) {
      return Error("BMP: the pixel data is cut short: " + Size(header) + " pixels of " +
                   std::to_string(header.bits) + " bits need " + std::to_string(needed) +
                   " bytes, the file holds " + std::to_string(present));
    }
  } else if (header.compression == kRle8 || header.compression == kRle4) {
    if (pixels > kRleFreePixels && pixels > present * kRlePixelsPerByte) {
      return Error("BMP: " + Size(header) + " run-length pixels cannot come from " +
                   std::to_string(present) + " bytes of data (over " +
                   std::to_string(kRleFreePixels) + " pixels, at most " +
                   std::to_string(kRlePixelsPerByte) + " pixels a byte)");
    }
    if (!RunLengthComplete(data, header))
      return Error("BMP: the run-length data ends before the last row of " + Size(header));
  }
  return Ok{};
}

}  // namespace platform
