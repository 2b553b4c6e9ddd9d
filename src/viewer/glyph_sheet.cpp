#include "viewer/glyph_sheet.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace viewer {

namespace {

constexpr int kSheetColumns = 16;
constexpr std::size_t kStringFontHeaderSize = 12;
constexpr const char kStringFontMagic[] = "MrlxFont";

// Cells of each layout, and the codes they hold.
constexpr std::size_t kGb2312Cells = 8352, kGb2312Codes = 87 * 94;
constexpr std::size_t kBig5Cells = 14080;
constexpr std::size_t kGbkCells = 32190, kGbkCodes = 126 * 191;

std::uint16_t Code(unsigned lead, unsigned trail) {
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

}  // namespace

const char* LayoutName(FontLayout layout) {
  switch (layout) {
    case FontLayout::Gb2312:
      return "GB2312";
    case FontLayout::Big5:
      return "BIG5";
    case FontLayout::Gbk:
      return "GBK";
    case FontLayout::Unicode:
      return "UniCode";
    case FontLayout::StringFont:
      break;
  }
  return "MrlxFont";
}

FontLayout LayoutOfCellCount(std::size_t cells) {
  if (cells == kGb2312Cells)
    return FontLayout::Gb2312;
  if (cells == kBig5Cells)
    return FontLayout::Big5;
  if (cells == kGbkCells)
    return FontLayout::Gbk;
  return FontLayout::Unicode;
}

std::optional<std::uint16_t> CodeOfSlot(FontLayout layout, std::size_t slot) {
  switch (layout) {
    case FontLayout::Gb2312:
      if (slot >= kGb2312Codes)
        return std::nullopt;
      return Code(0xA1 + unsigned(slot / 94), 0xA1 + unsigned(slot % 94));
    case FontLayout::Big5: {
      if (slot >= kBig5Cells)
        return std::nullopt;
      // 160 trails a lead: 0x40..0x7F, then 0xA0..0xFF.
      const unsigned r = unsigned(slot % 160);
      return Code(0xA1 + unsigned(slot / 160), r < 64 ? 0x40 + r : 0xA0 + (r - 64));
    }
    case FontLayout::Gbk:
      if (slot >= kGbkCodes)
        return std::nullopt;
      return Code(0x81 + unsigned(slot / 191), 0x40 + unsigned(slot % 191));
    case FontLayout::Unicode:
    case FontLayout::StringFont:
      break;
  }
  return std::nullopt;
}

std::size_t CellBytes(int width, int height) {
  if (width <= 0 || height <= 0)
    return 0;
  return std::size_t(height) * std::size_t(width / 8);
}

platform::Result<GlyphSheet> DecodeGlyphSheet(std::span<const std::uint8_t> glyphs, int width,
                                              int height, int count) {
  const std::size_t cell_bytes = CellBytes(width, height);
  if (cell_bytes == 0) {
    return platform::Error("a " + std::to_string(width) + "x" + std::to_string(height) +
                           " cell stores no pixels");
  }
  if (count < 0 || glyphs.size() / cell_bytes < std::size_t(count)) {
    return platform::Error(std::to_string(count) + " cells need " +
                           std::to_string(std::uint64_t(count) * cell_bytes) + " bytes, " +
                           std::to_string(glyphs.size()) + " are there");
  }
  GlyphSheet sheet;
  sheet.cell_width = width;
  sheet.cell_height = height;
  sheet.count = count;
  sheet.columns = std::min(count, kSheetColumns);
  const int rows = (count + kSheetColumns - 1) / kSheetColumns;
  picture::DecodedPicture& picture = sheet.picture;
  picture.width = sheet.columns * width;
  picture.height = rows * height;
  // White everywhere, so the unstored columns and the cells after the last show white.
  picture.rgba.assign(std::size_t(picture.width) * std::size_t(picture.height) * 4, 0xFF);
  const int stored_bytes = width / 8;
  const std::size_t stride = std::size_t(picture.width) * 4;
  for (int cell = 0; cell < count; ++cell) {
    const std::uint8_t* in = glyphs.data() + std::size_t(cell) * cell_bytes;
    const std::size_t left = std::size_t(cell % kSheetColumns) * std::size_t(width) * 4;
    const std::size_t top = std::size_t(cell / kSheetColumns) * std::size_t(height);
    for (int y = 0; y < height; ++y) {
      std::uint8_t* out = picture.rgba.data() + (top + std::size_t(y)) * stride + left;
      for (int k = 0; k < stored_bytes; ++k) {
        const unsigned byte = *in++;
        for (int bit = 0; bit < 8; ++bit, out += 4) {
          if (byte & (0x80u >> bit))
            std::memset(out, 0, 3);  // ink: black, opaque
        }
      }
    }
  }
  return sheet;
}

bool IsStringFont(std::span<const std::uint8_t> first_bytes) {
  return first_bytes.size() >= 8 && std::memcmp(first_bytes.data(), kStringFontMagic, 8) == 0;
}

platform::Result<StringFontHeader> ReadStringFontHeader(std::span<const std::uint8_t> header,
                                                        std::uint64_t file_size) {
  if (!IsStringFont(header) || header.size() < kStringFontHeaderSize ||
      file_size < kStringFontHeaderSize)
    return platform::Error("no string font: its 12-byte header is not there");
  StringFontHeader font;
  const std::uint64_t stored_count = std::uint64_t(header[8]) << 8 | header[9];
  font.width = header[10];
  font.height = header[11];
  const std::uint64_t per_character = 2 + CellBytes(font.width, font.height);
  // The header holds the count modulo 65536; the file's size gives the whole count.
  const std::uint64_t body = file_size - kStringFontHeaderSize;
  std::uint64_t count = body / per_character;
  if (body % per_character != 0 || count % 65536 != stored_count) {
    return platform::Error("a string font of " + std::to_string(stored_count) + " characters of " +
                           std::to_string(font.width) + "x" + std::to_string(font.height) +
                           " needs " +
                           std::to_string(kStringFontHeaderSize + stored_count * per_character) +
                           " bytes, the file has " + std::to_string(file_size));
  }
  if (count > std::uint64_t(INT32_MAX))
    return platform::Error("a string font of more characters than the module counts");
  font.count = static_cast<int>(count);
  font.glyphs_at = kStringFontHeaderSize + 2 * std::size_t(count);
  return font;
}

platform::Result<GlyphSheet> DecodeStringFont(std::span<const std::uint8_t> font) {
  auto header = ReadStringFontHeader(font, font.size());
  if (!header)
    return header.error();
  if (header->count == 0)
    return platform::Error("a string font without characters has no glyphs to show");
  auto sheet = DecodeGlyphSheet(font.subspan(header->glyphs_at), header->width, header->height,
                                header->count);
  if (!sheet)
    return sheet;
  sheet->codes.reserve(std::size_t(header->count));
  for (int i = 0; i < header->count; ++i) {
    const std::size_t at = header->codes_at + 2 * std::size_t(i);
    sheet->codes.emplace_back(Code(font[at], font[at + 1]));
  }
  return sheet;
}

}  // namespace viewer
