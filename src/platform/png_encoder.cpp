#include "platform/png_encoder.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <spng.h>

namespace platform {

namespace {

struct ContextFree {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

Message PngError(int code) {
  return Error(std::string("PNG: ") + spng_strerror(code));
}

}  // namespace

Result<Bytes> EncodePngFromRgba(std::span<const std::uint8_t> rgba, int width, int height,
                                bool keep_alpha) {
  if (width <= 0 || height <= 0)
    return Error("PNG: a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                 " pixels cannot be written");
  const std::size_t pixels_in_row = static_cast<std::size_t>(width);
  if (rgba.size() / 4 / pixels_in_row < static_cast<std::size_t>(height))
    return Error("PNG: fewer pixels than the picture's size");
  std::unique_ptr<spng_ctx, ContextFree> context(spng_ctx_new(SPNG_CTX_ENCODER));
  if (!context)
    return Error("PNG: out of memory");
  spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr header{};
  header.width = static_cast<std::uint32_t>(width);
  header.height = static_cast<std::uint32_t>(height);
  header.bit_depth = 8;
  header.color_type = keep_alpha ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
  if (const int error = spng_set_ihdr(context.get(), &header))
    return PngError(error);
  // Row by row, so an RGB file needs one row of RGB samples, not a second picture.
  if (const int error = spng_encode_image(context.get(), nullptr, 0, SPNG_FMT_PNG,
                                          SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE))
    return PngError(error);
  std::vector<std::uint8_t> rgb(keep_alpha ? 0 : pixels_in_row * 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba.data() + std::size_t(y) * pixels_in_row * 4;
    int status = 0;
    if (keep_alpha) {
      status = spng_encode_row(context.get(), row, pixels_in_row * 4);
    } else {
      std::uint8_t* out = rgb.data();
      for (std::size_t x = 0; x < pixels_in_row; ++x, row += 4, out += 3) {
        out[0] = row[0];
        out[1] = row[1];
        out[2] = row[2];
      }
      status = spng_encode_row(context.get(), rgb.data(), rgb.size());
    }
    // The last row ends the image.
    if (status != 0 && !(status == SPNG_EOI && y == height - 1))
      return PngError(status);
  }
  std::size_t length = 0;
  int error = 0;
  void* buffer = spng_get_png_buffer(context.get(), &length, &error);
  if (buffer == nullptr || error != 0)
    return PngError(error != 0 ? error : SPNG_EMEM);
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  Bytes png(bytes, bytes + length);
  std::free(buffer);
  return png;
}

}  // namespace platform
