#pragma once
// Types the builder's stages hand to one another: the command list, the GIF and number
// ranges of the picture table, and the image header buffer.

#include <cstdint>
#include <string>
#include <vector>

namespace builder {

// The lines of the command list as loaded from a project file (text code page bytes,
// at most 1023 characters each), index 0 first.
using CommandList = std::vector<std::string>;

// First and last picture number of one GIF resource or number set.
struct PictureRange {
  int first = 0;
  int last = 0;
  friend bool operator==(const PictureRange&, const PictureRange&) = default;
};

// The GIF range table or the number-set table: at most 16 entries.
using RangeTable = std::vector<PictureRange>;
inline constexpr int kMaxRanges = 16;

// The image header: 0x3000 bytes in a NOR build, 0x20000 in a NAND build, filled with
// 0xFF before anything is placed.
using HeaderBuffer = std::vector<std::uint8_t>;
inline constexpr std::size_t kNorHeaderSize = 0x3000;
inline constexpr std::size_t kNandHeaderSize = 0x20000;

}  // namespace builder
