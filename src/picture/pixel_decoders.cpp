#include "picture/pixel_decoders.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>

namespace picture {

namespace {

// An RGBA pixel as one 32-bit value whose bytes in memory are R, G, B, A.
constexpr std::uint32_t Pack(unsigned r, unsigned g, unsigned b, unsigned a) {
  if constexpr (std::endian::native == std::endian::little)
    return r | g << 8 | b << 16 | a << 24;
  else
    return r << 24 | g << 16 | b << 8 | a;
}

inline void Store(std::uint8_t* out, std::uint32_t pixel) {
  std::memcpy(out, &pixel, 4);
}

// A stored pixel widens channel by channel, and each channel's bits come from one of its
// two bytes (green's widened bits from each byte do not overlap), so one table per byte
// gives the pixel as the OR of two look-ups.
struct ByteTables {
  std::array<std::uint32_t, 256> low{}, high{};
};

constexpr ByteTables R5G6B5Tables(bool bgr) {
  ByteTables t;
  for (unsigned v = 0; v < 256; ++v) {
    // High byte: the first 5-bit channel and green's top 3 bits; low byte: green's
    // bottom 3 bits and the last 5-bit channel.
    const unsigned first = Widen5(v >> 3);
    const unsigned green_high = (v & 7u) << 5 | (v & 7u) >> 1;
    const unsigned green_low = (v >> 5) << 2;
    const unsigned last = Widen5(v & 0x1Fu);
    t.high[v] = bgr ? Pack(0, green_high, first, 0xFF) : Pack(first, green_high, 0, 0xFF);
    t.low[v] = bgr ? Pack(last, green_low, 0, 0) : Pack(0, green_low, last, 0);
  }
  return t;
}

constexpr ByteTables Argb4Tables() {
  ByteTables t;
  for (unsigned v = 0; v < 256; ++v) {
    // First byte: green (high nibble) and blue; second: alpha (high nibble) and red.
    t.low[v] = Pack(0, Widen4(v >> 4), Widen4(v & 0xFu), 0);
    t.high[v] = Pack(Widen4(v & 0xFu), 0, 0, Widen4(v >> 4));
  }
  return t;
}

// Eight Black_White pixels of a byte, most significant bit leftmost; a 1 is ink (black).
constexpr std::array<std::array<std::uint32_t, 8>, 256> BlackWhiteTable() {
  std::array<std::array<std::uint32_t, 8>, 256> t{};
  for (unsigned v = 0; v < 256; ++v) {
    for (unsigned bit = 0; bit < 8; ++bit)
      t[v][bit] = (v & (0x80u >> bit)) ? Pack(0, 0, 0, 0xFF) : Pack(255, 255, 255, 0xFF);
  }
  return t;
}

constexpr ByteTables kRgb565 = R5G6B5Tables(false);
constexpr ByteTables kBgr565 = R5G6B5Tables(true);
constexpr ByteTables kArgb4 = Argb4Tables();
constexpr auto kBlackWhite = BlackWhiteTable();

// Bytes of one stored row, NAND padding included.
std::size_t RowBytes(PixelForm form, int width, bool nand) {
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t pixels = nand ? (w + 3) / 4 * 4 : w;
  switch (form) {
    case PixelForm::R5G6B5:
    case PixelForm::Argb4:
      return pixels * 2;
    case PixelForm::R8G8B8:
      return pixels * 3;
    case PixelForm::BlackWhite:
      break;
  }
  return nand ? (w + 31) / 32 * 4 : (w + 7) / 8;
}

// Output position of stored pixel k: with `reverse` the first stored pixel lands at the
// right-hand end, which undoes the encoder's mirroring.
template <bool reverse>
inline std::uint8_t* At(std::uint8_t* out, int width, int k) {
  return out + std::size_t(reverse ? width - 1 - k : k) * 4;
}

template <bool reverse>
void DecodeTwoBytes(const std::uint8_t* in, std::uint8_t* out, int width, const ByteTables& t) {
  for (int k = 0; k < width; ++k, in += 2)
    Store(At<reverse>(out, width, k), t.low[in[0]] | t.high[in[1]]);
}

template <bool bgr>
inline std::uint32_t R8G8B8Pixel(const std::uint8_t* in) {
  // RGB stores B, G, R; BGR stores R, G, B.
  return bgr ? Pack(in[0], in[1], in[2], 0xFF) : Pack(in[2], in[1], in[0], 0xFF);
}

template <bool reverse, bool bgr>
void DecodeR8G8B8(const std::uint8_t* in, std::uint8_t* out, int width) {
  int k = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Four bytes read at once (the fourth is the next pixel's, so not for the last).
    for (; k + 1 < width; ++k, in += 3) {
      std::uint32_t v;
      std::memcpy(&v, in, 4);
      v = bgr ? v : __builtin_bswap32(v) >> 8;
      Store(At<reverse>(out, width, k), v | 0xFF000000u);
    }
  }
  for (; k < width; ++k, in += 3)
    Store(At<reverse>(out, width, k), R8G8B8Pixel<bgr>(in));
}

template <bool reverse>
void DecodeBlackWhite(const std::uint8_t* in, std::uint8_t* out, int width) {
  const int whole = width / 8;
  for (int byte = 0; byte < whole; ++byte) {
    const auto& pixels = kBlackWhite[in[byte]];
    if constexpr (!reverse) {
      std::memcpy(out + std::size_t(byte) * 32, pixels.data(), 32);
    } else {
      for (int bit = 0; bit < 8; ++bit)
        Store(At<true>(out, width, byte * 8 + bit), pixels[std::size_t(bit)]);
    }
  }
  for (int k = whole * 8; k < width; ++k)
    Store(At<reverse>(out, width, k), kBlackWhite[in[k >> 3]][std::size_t(k & 7)]);
}

template <bool reverse>
void DecodeRow(const std::uint8_t* in, std::uint8_t* out, int width, PixelForm form, bool bgr) {
  switch (form) {
    case PixelForm::R5G6B5:
      DecodeTwoBytes<reverse>(in, out, width, bgr ? kBgr565 : kRgb565);
      break;
    case PixelForm::R8G8B8:
      if (bgr)
        DecodeR8G8B8<reverse, true>(in, out, width);
      else
        DecodeR8G8B8<reverse, false>(in, out, width);
      break;
    case PixelForm::Argb4:
      DecodeTwoBytes<reverse>(in, out, width, kArgb4);
      break;
    case PixelForm::BlackWhite:
      DecodeBlackWhite<reverse>(in, out, width);
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
