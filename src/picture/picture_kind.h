#pragma once

#include <string>

namespace picture {

enum PictureKind { kNoPicture = 0, kPng = 1, kJpeg = 2, kBmp = 3 };

// The kind a path names: the first of ".png", ".PNG", ".jpg", ".JPG", ".jpeg", ".JPEG",
// ".bmp", ".BMP" found anywhere after the path's first character decides, so a PNG test
// wins even when ".png" stands in a folder name.
PictureKind PictureKindOf(const std::string& path);

}  // namespace picture
