#include "picture/pixel_decoders.h"

#include <string>

namespace picture {

namespace {

// One RGBA pixel: the bytes R, G, B, A.
inline void Put(std::uint8_t* out, unsigned r, unsigned g, unsigned b, unsigned a) {
  out[0] = static_cast<std::uint8_t>(r);
  out[1] = static_cast<std::uint8_t>(g);
  out[2] = static_cast<std::uint8_t>(b);
  out[3] = static_cast<std::uint8_t>(a);
}

// Bytes of one stored row, NAND padding included.
std::size_t RowBytes(PixelForm form, int width, bool nand) {
  const std::size_t pixels = nand ? std::size_t(width + 3) / 4 * 4 : std::size_t(width);
  switch (form) {
    case PixelForm::R5G6B5:
    case PixelForm::Argb4:
      return pixels * 2;
    case PixelForm::R8G8B8:
      return pixels * 3;
    case PixelForm::BlackWhite:
      break;
  }
  return nand ? std::size_t(width + 31) / 32 * 4 : std::size_t(width + 7) / 8;
}

// Decodes `width` stored pixels of one row into `out`; with `reverse` the first stored
// pixel lands at the right-hand end, which undoes the encoder's mirroring.
template <bool reverse>
void DecodeRow(const std::uint8_t* in, std::uint8_t* out, int width, PixelForm form, bool bgr) {
  const std::ptrdiff_t step = reverse ? -4 : 4;
  std::uint8_t* o = reverse ? out + std::size_t(width - 1) * 4 : out;
  switch (form) {
    case PixelForm::R5G6B5:
      for (int k = 0; k < width; ++k, in += 2, o += step) {
        const unsigned v = unsigned(in[0]) | unsigned(in[1]) << 8;
        const unsigned high = v >> 11, g = v >> 5 & 0x3F, low = v & 0x1F;
        const unsigned r = bgr ? low : high, b = bgr ? high : low;
        Put(o, Widen5(r), Widen6(g), Widen5(b), 0xFF);
      }
      break;
    case PixelForm::R8G8B8:
      // RGB stores B, G, R; BGR stores R, G, B.
      for (int k = 0; k < width; ++k, in += 3, o += step) {
        if (bgr)
          Put(o, in[0], in[1], in[2], 0xFF);
        else
          Put(o, in[2], in[1], in[0], 0xFF);
      }
      break;
    case PixelForm::Argb4:
      // First byte: green (high nibble) and blue; second: alpha (high nibble) and red.
      for (int k = 0; k < width; ++k, in += 2, o += step)
        Put(o, Widen4(in[1] & 0xFu), Widen4(in[0] >> 4), Widen4(in[0] & 0xFu), Widen4(in[1] >> 4));
      break;
    case PixelForm::BlackWhite:
      // The leftmost pixel is the most significant bit; a 1 is ink (black).
      for (int k = 0; k < width; ++k, o += step) {
        const unsigned level = ((in[k >> 3] >> (7 - (k & 7))) & 1u) - 1u;  // ink 0, else ~0
        Put(o, level, level, level, 0xFF);
      }
      break;
  }
}

}  // namespace

platform::Result<DecodedPicture> DecodePicture(std::span<const std::uint8_t> bytes, PixelForm form,
                                               int width, int height,
                                               const DecodeSettings& settings) {
  if (width < 0 || height < 0) {
    return platform::Error("a picture of " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels has no size");
  }
  const std::int64_t size = EncodedSize(form, width, height, settings.nand);
  if (size < 0) {
    return platform::Error("a picture of " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels is too large for the module");
  }
  if (bytes.size() < std::uint64_t(size)) {
    return platform::Error("needs " + std::to_string(size) + " bytes, " +
                           std::to_string(bytes.size()) + " are there");
  }
  DecodedPicture picture;
  picture.width = width;
  picture.height = height;
  // The size check above bounds this: at most 32 output bytes per stored byte.
  picture.rgba.resize(std::size_t(width) * std::size_t(height) * 4);
  const std::size_t row_bytes = RowBytes(form, width, settings.nand);
  const std::size_t out_stride = std::size_t(width) * 4;
  const bool bgr = settings.colour_order_index == 1;
  for (int j = 0; j < height; ++j) {
    const int y = settings.mirror_y ? height - 1 - j : j;
    const std::uint8_t* in = bytes.data() + std::size_t(j) * row_bytes;
    std::uint8_t* out = picture.rgba.data() + std::size_t(y) * out_stride;
    if (settings.mirror_x)
      DecodeRow<true>(in, out, width, form, bgr);
    else
      DecodeRow<false>(in, out, width, form, bgr);
  }
  return picture;
}

}  // namespace picture
