#pragma once
// Working bitmaps and decoded pictures shown in Qt image views.

#include <QImage>

#include "picture/pixel_decoders.h"
#include "picture/working_bitmap.h"

namespace picture {

QImage PreviewImage(const WorkingBitmap& bitmap);

// The two greys of the checkerboard shown behind transparent pixels.
inline constexpr QRgb kCheckerLight = 0xFFFFFFFF;
inline constexpr QRgb kCheckerDark = 0xFFC8C8C8;
inline constexpr int kCheckerSquare = 8;

// A decoded picture as RGBA, alpha not premultiplied.
QImage RgbaImage(const DecodedPicture& picture);

// The decoded picture over a checkerboard of `kCheckerSquare` pixels, so what is
// transparent shows as such; opaque pixels keep their exact colours.
QImage PreviewImage(const DecodedPicture& picture);

// The checkerboard colour under pixel (x, y) of a view.
inline QRgb CheckerAt(int x, int y) {
  return ((x / kCheckerSquare + y / kCheckerSquare) % 2 == 0) ? kCheckerLight : kCheckerDark;
}

}  // namespace picture
