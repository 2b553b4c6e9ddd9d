#include <memory>

#include <spng.h>

#include "platform/picture_decoders.h"

namespace platform {

namespace {
struct ContextFree {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
Message PngError(int code) {
  return Error(std::string("PNG: ") + spng_strerror(code));
}
}  // namespace

bool PictureSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
         width * height <= kMaxPicturePixels;
}

Result<DecodedPicture> DecodePng(std::span<const std::uint8_t> file) {
  std::unique_ptr<spng_ctx, ContextFree> context(spng_ctx_new(0));
  if (!context)
    return Error("PNG: out of memory");
  spng_set_crc_action(context.get(), SPNG_CRC_USE, SPNG_CRC_USE);
  spng_set_image_limits(context.get(), 1u << 24, 1u << 24);
  spng_set_chunk_limits(context.get(), 1u << 26, 1u << 28);
  if (int code = spng_set_png_buffer(context.get(), file.data(), file.size()))
    return PngError(code);
  spng_ihdr header{};
  if (int code = spng_get_ihdr(context.get(), &header))
    return PngError(code);
  if (!PictureSizeAcceptable(header.width, header.height))
    return Error("PNG: picture too large");

  // Pictures without alpha decode straight to RGB; those with alpha keep it beside.
  const bool has_alpha = header.color_type == 4 || header.color_type == 6;
  const int format = has_alpha ? SPNG_FMT_RGBA8 : SPNG_FMT_RGB8;
  std::size_t size = 0;
  if (int code = spng_decoded_image_size(context.get(), format, &size))
    return PngError(code);
  DecodedPicture picture;
  picture.width = static_cast<int>(header.width);
  picture.height = static_cast<int>(header.height);
  picture.png_colour_type = header.color_type;
  if (!has_alpha) {
    picture.rgb.resize(size);
    if (int code = spng_decode_image(context.get(), picture.rgb.data(), size, format, 0)) {
      return PngError(code);
    }
    return picture;
  }
  std::vector<std::uint8_t> rgba(size);
  if (int code = spng_decode_image(context.get(), rgba.data(), size, format, 0)) {
    return PngError(code);
  }
  const std::size_t pixels = std::size_t{header.width} * header.height;
  picture.rgb.resize(pixels * 3);
  picture.alpha.resize(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    picture.rgb[i * 3] = rgba[i * 4];
    picture.rgb[i * 3 + 1] = rgba[i * 4 + 1];
    picture.rgb[i * 3 + 2] = rgba[i * 4 + 2];
    picture.alpha[i] = rgba[i * 4 + 3];
  }
  return picture;
}

}  // namespace platform
