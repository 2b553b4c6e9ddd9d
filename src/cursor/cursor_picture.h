#pragma once
// A cursor drawn elsewhere: a 32 x 32 picture file whose pixel colours map to codes by
// the four display colours (any other colour is code 2).

#include <string>

#include "cursor/cursor_image.h"
#include "picture/working_bitmap.h"
#include "platform/message.h"

namespace cursor {

// "The cursor picture must be 32 x 32 pixels" for any other size.
platform::Result<CursorImage> CursorFromBitmap(const picture::WorkingBitmap& bitmap);

// Reads a PNG, JPEG or BMP file. Colours are taken as stored: no alpha keying, which
// would move opaque black off code 3.
platform::Result<CursorImage> LoadCursorPicture(const std::string& path);

// The picture in its display colours, one pixel per cursor pixel.
picture::WorkingBitmap CursorBitmap(const CursorImage& image);

}  // namespace cursor
