#pragma once
// What a walk over a GIF's blocks shows before any pixel is decoded: the logical screen,
// and each frame's rectangle with the bytes of image data behind it. Enough to refuse a
// file whose header claims more than its data could ever give, before anything is
// allocated for it.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/message.h"

namespace platform {

struct GifFrameLayout {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::int64_t data_bytes = 0;  // image data present, sub-block lengths left out
};

struct GifLayout {
  int screen_width = 0;
  int screen_height = 0;
  std::vector<GifFrameLayout> frames;  // in file order
};

// The walk stops at the first block it cannot follow, or where the file ends; giflib then
// gives the reason when it comes to the same place.
GifLayout ReadGifLayout(std::span<const std::uint8_t> file);

// Refuses a frame rectangle over the limits of gif_decoder.h or larger than its image
// data can fill (an LZW code of b bits gives at most 2^b pixels, and codes have at most
// 12 bits), and a logical screen over kGifFreeScreenPixels that its frames do not cover.
Result<Ok> CheckGifLayout(const GifLayout& layout);

}  // namespace platform
