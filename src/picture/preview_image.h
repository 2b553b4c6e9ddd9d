#pragma once
// Working bitmaps shown in Qt image views.

#include <QImage>

#include "picture/working_bitmap.h"

namespace picture {

QImage PreviewImage(const WorkingBitmap& bitmap);

}  // namespace picture
