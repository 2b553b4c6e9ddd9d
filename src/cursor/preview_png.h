#pragma once
// A picture as a PNG file for `dravick cursor --png`. The preview is small, so the image
// data goes out in stored (uncompressed) deflate blocks: no codec needed.

#include <cstdint>
#include <vector>

#include "picture/working_bitmap.h"

namespace cursor {

std::vector<std::uint8_t> EncodePreviewPng(const picture::WorkingBitmap& bitmap);

}  // namespace cursor
