#pragma once
// GIF files decoded into their logical screen and frames. Frames keep their colour
// indexes and colour table, so drawing can skip transparent pixels. Delays, loop counts
// and disposal methods are read past and not kept: the converters do not use them.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/message.h"

namespace platform {

// A logical screen larger than this many pixels is refused before anything is
// allocated for it.
inline constexpr std::int64_t kMaxGifScreenPixels = std::int64_t{1} << 28;
// A frame's rectangle may hold at most kMaxGifScreenPixels pixels, and the rectangles of
// all frames of one file together at most this many.
inline constexpr std::int64_t kMaxGifFramePixels = std::int64_t{1} << 30;
// A logical screen of more pixels than this must be covered by its frames: every screen
// pixel is drawn and stored for every frame, so a large screen that its frames leave
// empty would cost far more than the file holds.
inline constexpr std::int64_t kGifFreeScreenPixels = std::int64_t{1} << 20;

struct GifFrame {
  // The frame's rectangle within the logical screen. Parts of a frame lying outside the
  // screen are dropped here, since nothing could show them.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // width * height colour indexes, rows top to bottom (interlaced rows already in place).
  std::vector<std::uint8_t> indexes;
  // R, G, B of all 256 indexes: the frame's own table, else the file's global one.
  // Indexes beyond the table's end, and every index of a frame with no table at all,
  // are black.
  std::array<std::uint8_t, 256 * 3> palette{};
  // The index its graphic control extension marks transparent, or -1.
  int transparent_index = -1;
};

struct DecodedGif {
  int screen_width = 0;
  int screen_height = 0;
  std::vector<GifFrame> frames;  // in file order
};

// The GIF in `file`, or an error text starting with "GIF: ". A file that ends cleanly
// after a complete frame without its trailer byte is taken as ending there. Before any
// frame is decoded, a walk over the blocks refuses frames larger than their image data
// could fill and screens their frames do not cover (gif_layout.h).
Result<DecodedGif> DecodeGif(std::span<const std::uint8_t> file);

}  // namespace platform
