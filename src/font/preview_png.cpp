#include "font/preview_png.h"

#include <cstdlib>
#include <memory>

#include <spng.h>

namespace font {

namespace {

constexpr int kGap = 8;

void CopyInto(picture::WorkingBitmap& target, const picture::WorkingBitmap& source, int left) {
  for (int y = 0; y < source.Height(); ++y)
    std::copy(source.Row(y), source.Row(y) + source.Stride(), target.Row(y) + left * 3);
}

}  // namespace

picture::WorkingBitmap SideBySide(const GlyphPreviews& previews) {
  const int width = previews.system.Width() + kGap + previews.user.Width();
  picture::WorkingBitmap both(width, previews.system.Height());
  CopyInto(both, previews.system, 0);
  CopyInto(both, previews.user, previews.system.Width() + kGap);
  return both;
}

platform::Bytes EncodePng(const picture::WorkingBitmap& bitmap) {
  if (bitmap.Empty())
    return {};
  struct ContextFree {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
  };
  std::unique_ptr<spng_ctx, ContextFree> context(spng_ctx_new(SPNG_CTX_ENCODER));
  if (!context)
    return {};
  spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr header{};
  header.width = static_cast<std::uint32_t>(bitmap.Width());
  header.height = static_cast<std::uint32_t>(bitmap.Height());
  header.bit_depth = 8;
  header.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
  spng_set_ihdr(context.get(), &header);
  const std::vector<std::uint8_t>& samples = bitmap.Samples();
  if (spng_encode_image(context.get(), samples.data(), samples.size(), SPNG_FMT_PNG,
                        SPNG_ENCODE_FINALIZE) != 0)
    return {};
  std::size_t length = 0;
  int error = 0;
  void* buffer = spng_get_png_buffer(context.get(), &length, &error);
  if (buffer == nullptr || error != 0)
    return {};
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  platform::Bytes png(bytes, bytes + length);
  std::free(buffer);
  return png;
}

}  // namespace font
