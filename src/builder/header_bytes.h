#pragma once
// Big-endian fields of the image header: every number the module reads from its flash
// header is stored most significant byte first.

#include <cstddef>
#include <cstdint>
#include <span>

namespace builder {

inline void PutBigEndian(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value,
                         int width) {
  for (int i = 0; i < width; ++i)
    bytes[at + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(value >> (8 * (width - 1 - i)));
}

inline std::uint32_t GetBigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

// Where the header's tables lie.
inline constexpr std::size_t kBootRegionSize = 0x200;
inline constexpr std::size_t kCommandDirectoryAt = 0x200;
inline constexpr std::size_t kModuleInfoAt = 0x400;
inline constexpr std::size_t kBuildTimeAt = 0x423;
inline constexpr std::size_t kPictureCountAt = 0x600;
inline constexpr std::size_t kPictureTableAt = 0x602;
inline constexpr std::size_t kPictureTableSecondPartAt = 0x7000;
inline constexpr int kPictureEntriesInFirstPart = 341;
inline constexpr std::size_t kPictureEntrySize = 12;
inline constexpr std::size_t kFontTableAt = 0x1600;
inline constexpr std::size_t kFontSlotSize = 9;
inline constexpr int kFontSlots = 8;
inline constexpr std::size_t kWavTableAt = 0x1700;
inline constexpr std::size_t kWavEntrySize = 9;
inline constexpr int kMaxWavEntries = 14;
inline constexpr std::size_t kCursorTableAt = 0x1780;
inline constexpr std::size_t kCursorEntrySize = 8;
inline constexpr int kMaxCursorEntries = 16;
inline constexpr std::size_t kCommandAreaAt = 0x1800;

// Image offset of picture table entry n.
inline constexpr std::size_t PictureEntryAt(int n) {
  return n < kPictureEntriesInFirstPart
             ? kPictureTableAt + kPictureEntrySize * static_cast<std::size_t>(n)
             : kPictureTableSecondPartAt +
                   kPictureEntrySize * static_cast<std::size_t>(n - kPictureEntriesInFirstPart);
}

// How many picture entries a header of this size holds: 341 in a NOR header, up to its
// end in a NAND header.
inline constexpr int PictureEntryCapacity(std::size_t header_size) {
  if (header_size <= kPictureTableSecondPartAt)
    return kPictureEntriesInFirstPart;
  return kPictureEntriesInFirstPart +
         static_cast<int>((header_size - kPictureTableSecondPartAt) / kPictureEntrySize);
}

}  // namespace builder
