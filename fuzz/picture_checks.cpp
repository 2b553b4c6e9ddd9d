#include "fuzz/picture_checks.h"

#include "fuzz/fuzz_check.h"
#include "picture/picture_loader.h"
#include "picture/pixel_encoders.h"
#include "picture/rotation.h"

namespace fuzz {

namespace {

// Encoding costs time per pixel; larger pictures are only checked for their samples.
constexpr std::int64_t kLargestEncoded = std::int64_t{1} << 16;

bool HasAlpha(const platform::DecodedPicture& picture) {
  return picture.png_colour_type == 4 || picture.png_colour_type == 6;
}

picture::WorkingBitmap KeyedBitmap(const platform::DecodedPicture& decoded, int limit, int format) {
  picture::WorkingBitmap bitmap(decoded.width, decoded.height, decoded.rgb);
  if (!HasAlpha(decoded))
    return bitmap;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const int alpha = decoded.alpha[std::size_t(y) * std::size_t(decoded.width) + x];
      bitmap.SetPixel(x, y, picture::KeyedColour(bitmap.Pixel(x, y), alpha, limit, format));
    }
  }
  return bitmap;
}

void CheckEncodings(const platform::DecodedPicture& decoded, Choices& choices) {
  const int format = choices.Next(3);
  const picture::PixelForm form = picture::FormOfFormatIndex(format);
  picture::EncodeSettings settings;
  settings.colour_order_index = choices.Next(2);
  settings.mirror_x = choices.Next(2) == 1;
  settings.mirror_y = choices.Next(2) == 1;
  settings.nand = choices.Next(2) == 1;
  const int rotation = choices.Next(3);

  const picture::WorkingBitmap keyed = KeyedBitmap(decoded, choices.Next(256) - 1, format);
  const picture::WorkingBitmap turned = picture::RotatePicture(keyed, rotation);
  const bool sideways = rotation != 0;
  FUZZ_REQUIRE(turned.Width() == (sideways ? decoded.height : decoded.width));
  FUZZ_REQUIRE(turned.Height() == (sideways ? decoded.width : decoded.height));

  const auto bytes = picture::EncodePicture(turned, form, settings);
  const std::int64_t expected =
      picture::EncodedSize(form, turned.Width(), turned.Height(), settings.nand);
  FUZZ_REQUIRE(expected >= 0);
  FUZZ_REQUIRE(std::int64_t(bytes.size()) == expected);

  if (HasAlpha(decoded)) {
    picture::ArgbPicture argb;
    argb.colours = picture::WorkingBitmap(decoded.width, decoded.height, decoded.rgb);
    argb.alpha = decoded.alpha;
    const auto argb_bytes = picture::EncodeArgb(argb, settings);
    FUZZ_REQUIRE(std::int64_t(argb_bytes.size()) ==
                 picture::EncodedSize(picture::PixelForm::Argb4, decoded.width, decoded.height,
                                      settings.nand));
  }
}

}  // namespace

void CheckDecodedPicture(const platform::Result<platform::DecodedPicture>& decoded,
                         std::span<const std::uint8_t> input) {
  if (!decoded) {
    FUZZ_REQUIRE(ClearError(decoded.error()));
    return;
  }
  const platform::DecodedPicture& picture = *decoded;
  FUZZ_REQUIRE(platform::PictureSizeAcceptable(picture.width, picture.height));
  const std::size_t pixels = std::size_t(picture.width) * std::size_t(picture.height);
  FUZZ_REQUIRE(picture.rgb.size() == pixels * 3);
  FUZZ_REQUIRE(picture.alpha.size() == (HasAlpha(picture) ? pixels : 0));

  if (std::int64_t(pixels) <= kLargestEncoded) {
    Choices choices(input);
    CheckEncodings(picture, choices);
  }
}

}  // namespace fuzz
