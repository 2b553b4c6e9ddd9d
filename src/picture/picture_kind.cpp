#include "picture/picture_kind.h"

#include <array>
#include <utility>

namespace picture {

PictureKind PictureKindOf(const std::string& path) {
  static constexpr std::array<std::pair<const char*, PictureKind>, 8> kTests{{
      {".png", kPng},
      {".PNG", kPng},
      {".jpg", kJpeg},
      {".JPG", kJpeg},
      {".jpeg", kJpeg},
      {".JPEG", kJpeg},
      {".bmp", kBmp},
      {".BMP", kBmp},
  }};
  for (const auto& [text, kind] : kTests) {
    const auto found = path.find(text);
    if (found != std::string::npos && found > 0)
      return kind;
  }
  return kNoPicture;
}

}  // namespace picture
