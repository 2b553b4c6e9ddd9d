#pragma once
// The zoomed grid the editor draws on: 289 x 289 pixels, each cursor pixel an 8 x 8
// square framed by one-pixel gray grid lines.

#include "cursor/cursor_image.h"
#include "picture/working_bitmap.h"

namespace cursor {

inline constexpr int kSquareStep = 9;  // eight pixels of square and one of grid line
inline constexpr int kGridSize = kCursorSize * kSquareStep + 1;  // 289
inline constexpr picture::Rgb kGridLineColour{0x77, 0x77, 0x77};

// The grid showing the picture.
picture::WorkingBitmap GridBitmap(const CursorImage& image);

// The pixel a grid point belongs to: coordinates divided by 9 toward zero. 288 names
// pixel 32, outside the picture.
inline int PixelOfGrid(int coordinate) {
  return coordinate / kSquareStep;
}

}  // namespace cursor
