#include "platform/gif_layout.h"

#include <algorithm>
#include <string>

#include "platform/gif_decoder.h"

namespace platform {

namespace {

constexpr std::uint8_t kExtension = 0x21, kImage = 0x2C;
constexpr std::size_t kHeader = 13;      // signature and logical screen descriptor
constexpr std::size_t kDescriptor = 10;  // separator, rectangle and flags of a frame

// Reads a GIF's little-endian fields and walks its data sub-blocks.
class Walk {
 public:
  explicit Walk(std::span<const std::uint8_t> file) : file_(file) {}

  [[nodiscard]] bool Has(std::size_t count) const { return file_.size() - at_ >= count; }
  [[nodiscard]] std::uint8_t Byte(std::size_t offset) const { return file_[at_ + offset]; }
  [[nodiscard]] int Field16(std::size_t offset) const {
    return Byte(offset) | Byte(offset + 1) << 8;
  }
  void Skip(std::size_t count) { at_ += std::min(count, file_.size() - at_); }
  // Skips a colour table when the flags byte says one follows.
  void SkipTable(std::uint8_t flags) {
    if (flags & 0x80)
      Skip(std::size_t{3} << ((flags & 0x07) + 1));
  }
  // Walks sub-blocks up to the empty one; the data bytes present, and false when the file
  // ends first.
  bool SubBlocks(std::int64_t& data) {
    while (Has(1)) {
      const std::size_t length = Byte(0);
      Skip(1);
      if (length == 0)
        return true;
      data += static_cast<std::int64_t>(std::min(length, file_.size() - at_));
      Skip(length);
    }
    return false;
  }

 private:
  std::span<const std::uint8_t> file_;
  std::size_t at_ = 0;
};

// The part of a rectangle that lies on the screen, in pixels.
std::int64_t OnScreen(const GifFrameLayout& frame, const GifLayout& layout) {
  const std::int64_t width =
      std::min<std::int64_t>(frame.left + frame.width, layout.screen_width) - frame.left;
  const std::int64_t height =
      std::min<std::int64_t>(frame.top + frame.height, layout.screen_height) - frame.top;
  return std::max<std::int64_t>(width, 0) * std::max<std::int64_t>(height, 0);
}

std::string Size(std::int64_t width, std::int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

GifLayout ReadGifLayout(std::span<const std::uint8_t> file) {
  GifLayout layout;
  Walk walk(file);
  if (!walk.Has(kHeader))
    return layout;
  layout.screen_width = walk.Field16(6);
  layout.screen_height = walk.Field16(8);
  const std::uint8_t screen_flags = walk.Byte(10);
  walk.Skip(kHeader);
  walk.SkipTable(screen_flags);
  while (walk.Has(2)) {
    const std::uint8_t introducer = walk.Byte(0);
    std::int64_t data = 0;
    if (introducer == kExtension) {
      walk.Skip(2);  // introducer and label
      if (!walk.SubBlocks(data))
        break;
      continue;
    }
    if (introducer != kImage || !walk.Has(kDescriptor + 1))
      break;
    GifFrameLayout frame{walk.Field16(1), walk.Field16(3), walk.Field16(5), walk.Field16(7), 0};
    const std::uint8_t flags = walk.Byte(9);
    walk.Skip(kDescriptor);
    walk.SkipTable(flags);
    walk.Skip(1);  // LZW code size
    const bool ended = walk.SubBlocks(frame.data_bytes);
    layout.frames.push_back(frame);
    if (!ended)
      break;
  }
  return layout;
}

Result<Ok> CheckGifLayout(const GifLayout& layout) {
  std::int64_t pixels_left = kMaxGifFramePixels;
  std::int64_t covered = 0;
  for (std::size_t i = 0; i < layout.frames.size(); ++i) {
    const GifFrameLayout& frame = layout.frames[i];
    // Every pixel of a rectangle is decoded, seen or not, so all of it counts.
    const std::int64_t area = std::int64_t{frame.width} * frame.height;
    if (area > kMaxGifScreenPixels || area > pixels_left)
      return Error("GIF: the frames are too large");
    pixels_left -= area;
    if (area * 12 > frame.data_bytes * 8 * 4096) {
      return Error("GIF: frame " + std::to_string(i + 1) + " of " +
                   Size(frame.width, frame.height) + " pixels cannot come from " +
                   std::to_string(frame.data_bytes) +
                   " bytes of image data (an LZW code of 12 bits gives at most 4096 pixels)");
    }
    covered += OnScreen(frame, layout);
  }
  const std::int64_t screen = std::int64_t{layout.screen_width} * layout.screen_height;
  if (screen > kGifFreeScreenPixels && covered < screen) {
    return Error("GIF: the frames draw at most " + std::to_string(covered) +
                 " of the logical screen's " + Size(layout.screen_width, layout.screen_height) +
                 " pixels (a screen over " + std::to_string(kGifFreeScreenPixels) +
                 " pixels must be covered by its frames)");
  }
  return Ok{};
}

}  // namespace platform
