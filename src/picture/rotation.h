#pragma once

#include "picture/working_bitmap.h"

namespace picture {

// Rotation index 1 turns clockwise ("R 90 Degree"), 2 counter-clockwise ("L 90 Degree");
// any other index gives the bitmap unchanged.
WorkingBitmap RotatePicture(const WorkingBitmap& bitmap, int rotation_index);

}  // namespace picture
