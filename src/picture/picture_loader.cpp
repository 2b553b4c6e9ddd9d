#include "picture/picture_loader.h"

#include <algorithm>

#include "picture/rotation.h"
#include "platform/decimal_field.h"
#include "platform/file_io.h"
#include "platform/picture_decoders.h"
#include "platform/read_limits.h"

namespace picture {

namespace {

platform::Result<platform::DecodedPicture> Decode(const std::string& path, PictureKind kind) {
  const auto file = platform::ReadFile(path, platform::kPictureFileLimit);
  if (!file)
    return file.error();
  switch (kind) {
    case kPng:
      return platform::DecodePng(*file);
    case kJpeg:
      return platform::DecodeJpeg(*file);
    case kBmp:
      return platform::DecodeBmp(*file);
    case kNoPicture:
      break;
  }
  return platform::Error("not a picture: " + path);
}

bool HasAlpha(const platform::DecodedPicture& picture) {
  return picture.png_colour_type == 4 || picture.png_colour_type == 6;
}

}  // namespace

Rgb KeyedColour(Rgb c, int alpha, int limit, int pixel_format_index) {
  if (alpha <= limit)
    return {0, 0, 0};
  if (pixel_format_index == 0) {
    if (c.r < 8 && c.g < 4 && c.b < 8) {
      return {std::uint8_t(c.r + 8), std::uint8_t(c.g + 4), std::uint8_t(c.b + 8)};
    }
  } else if (c.r < 2 && c.g < 2 && c.b < 2) {
    return {std::uint8_t(c.r + 2), std::uint8_t(c.g + 2), std::uint8_t(c.b + 2)};
  }
  return c;
}

platform::Result<WorkingBitmap> LoadPicture(const std::string& path, PictureKind kind,
                                            const LoadSettings& settings) {
  auto decoded = Decode(path, kind);
  if (!decoded)
    return decoded.error();
  platform::DecodedPicture& picture = *decoded;
  WorkingBitmap bitmap(picture.width, picture.height, std::move(picture.rgb));
  if (kind != kPng)
    return bitmap;

  auto parsed = platform::ParseDecimalField(settings.alpha_limit_text, "PNG Alpha");
  if (!parsed)
    return parsed.error();
  const int limit = std::min(*parsed, 255);
  if (!HasAlpha(picture))
    return bitmap;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.Row(y);
    const std::uint8_t* alpha = picture.alpha.data() + std::size_t(y) * bitmap.Width();
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Rgb keyed = KeyedColour({row[x * 3], row[x * 3 + 1], row[x * 3 + 2]}, alpha[x], limit,
                                    settings.pixel_format_index);
      row[x * 3] = keyed.r;
      row[x * 3 + 1] = keyed.g;
      row[x * 3 + 2] = keyed.b;
    }
  }
  return bitmap;
}

platform::Result<ArgbPicture> LoadArgbPicture(const std::string& path, int rotation_index) {
  auto decoded = Decode(path, kPng);
  if (!decoded)
    return decoded.error();
  if (!HasAlpha(*decoded))
    return platform::Warning(kPngWithoutAlpha);
  const int w = decoded->width;
  const int h = decoded->height;
  ArgbPicture picture;
  picture.colours = WorkingBitmap(w, h, std::move(decoded->rgb));
  // Alpha rides through the rotation as the red sample of a grey bitmap.
  WorkingBitmap alpha(w, h, Rgb{0, 0, 0});
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      alpha.Row(y)[x * 3] = decoded->alpha[std::size_t(y) * w + x];
  }
  picture.colours = RotatePicture(picture.colours, rotation_index);
  alpha = RotatePicture(alpha, rotation_index);
  picture.alpha.resize(std::size_t(alpha.Width()) * alpha.Height());
  for (int y = 0; y < alpha.Height(); ++y) {
    for (int x = 0; x < alpha.Width(); ++x) {
      picture.alpha[std::size_t(y) * alpha.Width() + x] = alpha.Row(y)[x * 3];
    }
  }
  return picture;
}

}  // namespace picture
