#pragma once
// The two zoomed previews of the font window: every raster pixel as a 3 x 3 block on a
// gray grid, once in its own gray ("System Font Bmp") and once as black or white by the
// gray limit ("User Font Bmp").

#include "picture/working_bitmap.h"

namespace font {

struct GlyphPreviews {
  picture::WorkingBitmap system;  // "System Font Bmp"
  picture::WorkingBitmap user;    // "User Font Bmp"
};

// Images of (4 Wr + 1) x (4 Hr + 1) pixels. The preview is black where red <= limit,
// one step more generous than the packer, which needs red < limit.
GlyphPreviews ZoomedPreviews(const picture::WorkingBitmap& raster, int limit);

}  // namespace font
