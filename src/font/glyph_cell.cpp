#include "font/glyph_cell.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "font/messages.h"

namespace font {

namespace {

// Larger cells than this cannot be drawn, let alone stored 32190 times.
constexpr long long kMaxCellPixels = 4096LL * 4096LL;

// The single-precision weights of the gray conversion, applied in double precision.
constexpr double kRedWeight = static_cast<double>(0.299f);
constexpr double kGreenWeight = static_cast<double>(0.587f);
constexpr double kBlueWeight = static_cast<double>(0.114f);

std::string NotAValidInteger(const std::string& text) {
  const std::string_view pattern = kNotAValidInteger;
  const std::size_t at = pattern.find("%s");
  return std::string(pattern.substr(0, at)) + text + std::string(pattern.substr(at + 2));
}

}  // namespace

platform::Result<int> ParseInteger(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+')
    ++first;
  int value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || end != last)
    return platform::Error(NotAValidInteger(text));
  return value;
}

platform::Result<GlyphCell> ReadCell(const GlyphSettings& settings) {
  const auto width = ParseInteger(settings.width_text);
  if (!width)
    return width.error();
  const auto height = ParseInteger(settings.height_text);
  if (!height)
    return height.error();
  GlyphCell cell{std::max(0, *width), std::max(0, *height), settings.x_offset, settings.y_offset,
                 settings.rotation,   settings.reverse_x,   settings.reverse_y};
  if (static_cast<long long>(cell.width) * cell.height > kMaxCellPixels)
    return platform::Error(kOutOfMemory);
  return cell;
}

platform::Result<int> ReadGrayLimit(const GlyphSettings& settings) {
  return ParseInteger(settings.gray_limit_text);
}

platform::Result<std::string> NormaliseGrayLimit(const std::string& text) {
  const auto value = ParseInteger(text);
  if (!value)
    return value.error();
  return std::to_string(std::min(*value, 255));
}

picture::WorkingBitmap TurnGlyph(const picture::WorkingBitmap& raster, int rotation) {
  if (rotation != kRight90 && rotation != kLeft90)
    return raster;
  const int w = raster.Width();
  const int h = raster.Height();
  picture::WorkingBitmap turned(h, w);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      // Clockwise the old top row becomes the right column; counter-clockwise the left
      // column, read upwards.
      if (rotation == kRight90)
        turned.SetPixel(h - 1 - y, x, raster.Pixel(x, y));
      else
        turned.SetPixel(y, w - 1 - x, raster.Pixel(x, y));
    }
  }
  return turned;
}

void ReverseColumns(picture::WorkingBitmap& raster) {
  const int w = raster.Width();
  for (int y = 0; y < raster.Height(); ++y) {
    for (int x = 0; x < w / 2; ++x) {
      const picture::Rgb left = raster.Pixel(x, y);
      raster.SetPixel(x, y, raster.Pixel(w - 1 - x, y));
      raster.SetPixel(w - 1 - x, y, left);
    }
  }
}

void ReverseRows(picture::WorkingBitmap& raster) {
  const int h = raster.Height();
  for (int y = 0; y < h / 2; ++y)
    std::swap_ranges(raster.Row(y), raster.Row(y) + raster.Stride(), raster.Row(h - 1 - y));
}

void ConvertToGray(picture::WorkingBitmap& raster) {
  for (int y = 0; y < raster.Height(); ++y) {
    std::uint8_t* p = raster.Row(y);
    for (int x = 0; x < raster.Width(); ++x, p += 3) {
      // White stays, and a gray (v, v, v) converts to v itself.
      if (p[0] == p[1] && p[1] == p[2])
        continue;
      const double gray = kRedWeight * p[0] + kGreenWeight * p[1] + kBlueWeight * p[2];
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(gray);
    }
  }
}

picture::WorkingBitmap RenderGlyph(platform::TextDrawer& drawer, std::u16string_view text,
                                   const GlyphCell& cell) {
  picture::WorkingBitmap raster(cell.width, cell.height);
  if (!raster.Empty()) {
    drawer.DrawText(text, cell.x_offset, cell.y_offset,
                    {raster.Row(0), raster.Width(), raster.Height(), raster.Stride()});
  }
  if (cell.rotation == kRight90 || cell.rotation == kLeft90)
    raster = TurnGlyph(raster, cell.rotation);
  if (cell.reverse_x)
    ReverseColumns(raster);
  if (cell.reverse_y)
    ReverseRows(raster);
  ConvertToGray(raster);
  return raster;
}

std::size_t GlyphSize(int raster_width, int raster_height) {
  if (raster_width <= 0 || raster_height <= 0)
    return 0;
  return std::size_t(raster_height) * std::size_t(raster_width / 8);
}

std::size_t GlyphSize(const GlyphCell& cell) {
  const bool turned = cell.rotation == kRight90 || cell.rotation == kLeft90;
  return turned ? GlyphSize(cell.height, cell.width) : GlyphSize(cell.width, cell.height);
}

void PackGlyphInto(const picture::WorkingBitmap& raster, int limit, std::span<std::uint8_t> out) {
  const int bytes_per_row = raster.Width() / 8;
  std::size_t at = 0;
  for (int y = 0; y < raster.Height(); ++y) {
    const std::uint8_t* red = raster.Row(y);
    for (int k = 0; k < bytes_per_row; ++k) {
      std::uint8_t byte = 0;
      for (int l = 0; l < 8; ++l, red += 3) {
        if (*red < limit)
          byte |= static_cast<std::uint8_t>(0x80 >> l);
      }
      out[at++] = byte;
    }
  }
}

platform::Bytes PackGlyph(const picture::WorkingBitmap& raster, int limit) {
  platform::Bytes packed(GlyphSize(raster.Width(), raster.Height()));
  PackGlyphInto(raster, limit, packed);
  return packed;
}

}  // namespace font
