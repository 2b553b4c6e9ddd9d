#include "cursor/cursor_picture.h"

#include "picture/messages.h"
#include "picture/picture_kind.h"
#include "platform/file_io.h"
#include "platform/picture_decoders.h"

namespace cursor {

platform::Result<CursorImage> CursorFromBitmap(const picture::WorkingBitmap& bitmap) {
  if (bitmap.Width() != kCursorSize || bitmap.Height() != kCursorSize)
    return platform::Error("The cursor picture must be 32 x 32 pixels");
  CursorImage image;
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c)
      image.Set(c, r, CodeOfColour(bitmap.Pixel(c, r)));
  }
  return image;
}

platform::Result<CursorImage> LoadCursorPicture(const std::string& path) {
  // A 32 x 32 picture is a few kilobytes in any form.
  const auto file = platform::ReadFile(path, 16 * platform::kMiB);
  if (!file)
    return platform::Because(platform::Error(picture::kFailToOpen), path, file.error().text);
  platform::Result<platform::DecodedPicture> decoded = platform::Error(picture::kFailToOpen);
  switch (picture::PictureKindOf(path)) {
    case picture::kPng:
      decoded = platform::DecodePng(*file);
      break;
    case picture::kJpeg:
      decoded = platform::DecodeJpeg(*file);
      break;
    case picture::kBmp:
      decoded = platform::DecodeBmp(*file);
      break;
    case picture::kNoPicture:
      break;
  }
  if (!decoded)
    return decoded.error();
  return CursorFromBitmap(
      picture::WorkingBitmap(decoded->width, decoded->height, std::move(decoded->rgb)));
}

picture::WorkingBitmap CursorBitmap(const CursorImage& image) {
  picture::WorkingBitmap bitmap(kCursorSize, kCursorSize);
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c)
      bitmap.SetPixel(c, r, ColourOfCode(image.At(c, r)));
  }
  return bitmap;
}

}  // namespace cursor
