#pragma once
// One glyph cell: the text drawn into a W x H raster, turned, mirrored, reduced to
// gray and packed one bit per pixel. Every font file is built from this.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "picture/working_bitmap.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"
#include "platform/message.h"

namespace font {

// RadioGroup2 of the font window.
enum Rotation { kNoRotation = 0, kRight90 = 1, kLeft90 = 2 };

// The cell settings as the window's controls hold them; the number fields stay text
// because they are parsed each time they are used.
struct GlyphSettings {
  std::string width_text = "16";
  std::string height_text = "16";
  std::string gray_limit_text = "200";
  int x_offset = 2;
  int y_offset = 1;
  int rotation = kNoRotation;
  bool reverse_x = false;
  bool reverse_y = false;
};

struct GlyphCell {
  int width = 16;
  int height = 16;
  int x_offset = 2;
  int y_offset = 1;
  int rotation = kNoRotation;
  bool reverse_x = false;
  bool reverse_y = false;
};

// A number field read as the platform reads it: a decimal integer, or the message
// "'<text>' is not a valid integer value".
platform::Result<int> ParseInteger(const std::string& text);

// Parses W and H. Cells too large to hold in memory are refused with "Out of memory".
platform::Result<GlyphCell> ReadCell(const GlyphSettings& settings);
platform::Result<int> ReadGrayLimit(const GlyphSettings& settings);

// The key-release rule of the gray limit field: parsed, 256 and more become 255,
// written back in decimal ("0200" -> "200", "300" -> "255").
platform::Result<std::string> NormaliseGrayLimit(const std::string& text);

// Draws `text` into a fresh W x H cell and applies rotation, mirrors and the gray
// conversion. The raster is W x H, or H x W after a quarter turn.
picture::WorkingBitmap RenderGlyph(platform::TextDrawer& drawer, std::u16string_view text,
                                   const GlyphCell& cell);

// The raster steps of RenderGlyph, on their own.
picture::WorkingBitmap TurnGlyph(const picture::WorkingBitmap& raster, int rotation);
void ReverseColumns(picture::WorkingBitmap& raster);
void ReverseRows(picture::WorkingBitmap& raster);
void ConvertToGray(picture::WorkingBitmap& raster);

// S = Hr x floor(Wr / 8): the size of every packed glyph of a raster this size.
std::size_t GlyphSize(int raster_width, int raster_height);
std::size_t GlyphSize(const GlyphCell& cell);

// One bit per pixel, MSB leftmost, rows top to bottom; a pixel is ink when its red
// value is below the limit. The last Wr mod 8 columns are not stored.
platform::Bytes PackGlyph(const picture::WorkingBitmap& raster, int limit);
void PackGlyphInto(const picture::WorkingBitmap& raster, int limit, std::span<std::uint8_t> out);

}  // namespace font
