#pragma once
// The zoomed previews as one PNG picture, for the command line's `--png`.

#include "font/glyph_preview.h"
#include "platform/file_io.h"

namespace font {

// "System Font Bmp" on the left, "User Font Bmp" on the right, a white gap between.
picture::WorkingBitmap SideBySide(const GlyphPreviews& previews);

// PNG bytes of an RGB bitmap; empty when encoding fails.
platform::Bytes EncodePng(const picture::WorkingBitmap& bitmap);

}  // namespace font
