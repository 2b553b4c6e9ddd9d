#include "picture/pixel_encoders.h"

#include <algorithm>
#include <limits>

#include "picture/dither.h"

namespace picture {

namespace {

constexpr std::uint8_t kPad = 0xFF;

// Pixels per output row with NAND padding: a multiple of 4. In 64 bits, so EncodedSize
// can answer for any width a listing claims.
std::int64_t PaddedPixels(std::int64_t width, bool nand) {
  return nand ? (width + 3) / 4 * 4 : width;
}
std::int64_t BlackWhiteRowBytes(std::int64_t width, bool nand) {
  return nand ? (width + 31) / 32 * 4 : (width + 7) / 8;
}

// Row progress: 0 before the first row, never beyond 98 while rows remain.
void RowDone(const platform::Progress& progress, int row, int height) {
  if (progress)
    progress(std::min(98, (row + 1) * 100 / std::max(height, 1)));
}

// Source row of output row j, and the column step, by the mirror settings.
struct Walk {
  int width, height;
  bool mirror_x, mirror_y;
  [[nodiscard]] int SourceRow(int j) const { return mirror_y ? height - 1 - j : j; }
  [[nodiscard]] int SourceColumn(int k) const { return mirror_x ? width - 1 - k : k; }
};

template <class PixelWriter>
void EncodeRows(const WorkingBitmap& bitmap, const EncodeSettings& settings, int bytes_per_pixel,
                std::vector<std::uint8_t>& out, const platform::Progress& progress,
                PixelWriter write_pixel) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const Walk walk{w, h, settings.mirror_x, settings.mirror_y};
  const std::size_t padding = std::size_t(PaddedPixels(w, settings.nand) - w) * bytes_per_pixel;
  std::uint8_t* o = out.data();
  platform::Report(progress, 0);
  for (int j = 0; j < h; ++j) {
    const std::uint8_t* row = bitmap.Row(walk.SourceRow(j));
    if (settings.mirror_x) {
      for (int k = 0; k < w; ++k)
        o = write_pixel(o, row + std::size_t(w - 1 - k) * 3);
    } else {
      for (int k = 0; k < w; ++k)
        o = write_pixel(o, row + std::size_t(k) * 3);
    }
    std::fill_n(o, padding, kPad);
    o += padding;
    RowDone(progress, j, h);
  }
}

void EncodeBlackWhite(const WorkingBitmap& bitmap, const EncodeSettings& settings,
                      std::vector<std::uint8_t>& out, const platform::Progress& progress) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const Walk walk{w, h, settings.mirror_x, settings.mirror_y};
  const int bit_bytes = (w + 7) / 8;
  const auto row_bytes = static_cast<std::size_t>(BlackWhiteRowBytes(w, settings.nand));
  platform::Report(progress, 0);
  for (int j = 0; j < h; ++j) {
    const std::uint8_t* row = bitmap.Row(walk.SourceRow(j));
    std::uint8_t* o = out.data() + std::size_t(j) * row_bytes;
    std::fill_n(o, bit_bytes, 0);
    for (int k = 0; k < w; ++k) {
      const std::uint8_t* p = row + std::size_t(walk.SourceColumn(k)) * 3;
      // Only exact black is ink; there is no threshold.
      if ((p[0] | p[1] | p[2]) == 0)
        o[k / 8] |= static_cast<std::uint8_t>(0x80 >> (k % 8));
    }
    std::fill(o + bit_bytes, o + row_bytes, kPad);
    RowDone(progress, j, h);
  }
}

}  // namespace

Dither DitherOfIndex(int dither_index) {
  if (dither_index == 1)
    return Dither::Ordered;
  if (dither_index == 2)
    return Dither::Diffusion;
  return Dither::None;
}

PixelForm FormOfFormatIndex(int pixel_format_index) {
  if (pixel_format_index == 0)
    return PixelForm::R5G6B5;
  if (pixel_format_index == 1)
    return PixelForm::R8G8B8;
  return PixelForm::BlackWhite;
}

std::int64_t EncodedSize(PixelForm form, int width, int height, bool nand) {
  if (width < 0 || height < 0)
    return -1;
  std::int64_t row = 0;
  switch (form) {
    case PixelForm::R5G6B5:
    case PixelForm::Argb4:
      row = PaddedPixels(width, nand) * 2;
      break;
    case PixelForm::R8G8B8:
      row = PaddedPixels(width, nand) * 3;
      break;
    case PixelForm::BlackWhite:
      row = BlackWhiteRowBytes(width, nand);
      break;
  }
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  // Refused before multiplying, so no width and height a listing claims can overflow.
  if (height > 0 && row > kLargest / height)
    return -1;
  return row * height;
}

std::vector<std::uint8_t> EncodePicture(const WorkingBitmap& bitmap, PixelForm form,
                                        const EncodeSettings& settings,
                                        const platform::Progress& progress) {
  const std::int64_t size = EncodedSize(form, bitmap.Width(), bitmap.Height(), settings.nand);
  if (size <= 0)
    return {};
  if (ChangesColours(form, settings))
    return EncodePanelColours(bitmap, form, settings, progress);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
  const bool bgr = settings.colour_order_index == 1;
  switch (form) {
    case PixelForm::R5G6B5:
    case PixelForm::Argb4:  // not reached through the windows; treated as R5G6B5
      EncodeRows(bitmap, settings, 2, out, progress, [bgr](std::uint8_t* o, const std::uint8_t* p) {
        const unsigned r5 = p[0] >> 3, g6 = p[1] >> 2, b5 = p[2] >> 3;
        const unsigned v = bgr ? (b5 << 11 | g6 << 5 | r5) : (r5 << 11 | g6 << 5 | b5);
        o[0] = static_cast<std::uint8_t>(v);
        o[1] = static_cast<std::uint8_t>(v >> 8);
        return o + 2;
      });
      break;
    case PixelForm::R8G8B8:
      EncodeRows(bitmap, settings, 3, out, progress, [bgr](std::uint8_t* o, const std::uint8_t* p) {
        // RGB stores the value R*65536 + G*256 + B least significant byte first.
        o[0] = bgr ? p[0] : p[2];
        o[1] = p[1];
        o[2] = bgr ? p[2] : p[0];
        return o + 3;
      });
      break;
    case PixelForm::BlackWhite:
      EncodeBlackWhite(bitmap, settings, out, progress);
      break;
  }
  return out;
}

std::vector<std::uint8_t> EncodeArgb(const ArgbPicture& picture, const EncodeSettings& settings,
                                     const platform::Progress& progress) {
  const WorkingBitmap& bitmap = picture.colours;
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const std::int64_t size = EncodedSize(PixelForm::Argb4, w, h, settings.nand);
  if (size <= 0)
    return {};
  std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
  const Walk walk{w, h, settings.mirror_x, settings.mirror_y};
  const std::size_t padding = std::size_t(PaddedPixels(w, settings.nand) - w) * 2;
  std::uint8_t* o = out.data();
  platform::Report(progress, 0);
  for (int j = 0; j < h; ++j) {
    const int y = walk.SourceRow(j);
    const std::uint8_t* row = bitmap.Row(y);
    const std::uint8_t* alpha = picture.alpha.data() + std::size_t(y) * w;
    for (int k = 0; k < w; ++k) {
      const int x = walk.SourceColumn(k);
      const std::uint8_t* p = row + std::size_t(x) * 3;
      // First byte: green (high nibble) and blue; second: alpha (high nibble) and red.
      o[0] = static_cast<std::uint8_t>((p[1] & 0xF0) | (p[2] >> 4));
      o[1] = static_cast<std::uint8_t>((alpha[x] & 0xF0) | (p[0] >> 4));
      o += 2;
    }
    std::fill_n(o, padding, kPad);
    o += padding;
    RowDone(progress, j, h);
  }
  return out;
}

}  // namespace picture
