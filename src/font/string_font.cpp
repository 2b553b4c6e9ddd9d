#include "font/string_font.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "font/coverage_report.h"
#include "font/messages.h"
#include "platform/chinese_forms.h"
#include "platform/read_limits.h"

namespace font {

std::vector<std::u16string> StringTextLines(std::span<const std::uint8_t> file_bytes,
                                            platform::CodePage page) {
  const auto zero = std::find(file_bytes.begin(), file_bytes.end(), std::uint8_t{0});
  const std::u16string text =
      platform::DecodeCodePage(file_bytes.first(std::size_t(zero - file_bytes.begin())), page);
  std::vector<std::u16string> lines;
  std::u16string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit != u'\r' && unit != u'\n') {
      line += unit;
      continue;
    }
    if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
      ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty())
    lines.push_back(std::move(line));
  return lines;
}

std::optional<platform::Message> LoadStringText(const std::string& name, platform::CodePage page,
                                                StringText& text) {
  if (name.find('.') == std::string::npos && text.loaded)
    return std::nullopt;
  const auto bytes = platform::ReadFile(name, platform::kTextFileLimit);
  if (!bytes) {
    return platform::Because(platform::Error("Cannot open file \"" + name + "\"."), name,
                             bytes.error().text);
  }
  text.lines = StringTextLines(*bytes, page);
  text.loaded = true;
  return std::nullopt;
}

platform::Bytes CodeTableOf(std::u16string_view line, platform::CodePage page) {
  const std::string encoded = platform::EncodeCodePage(line, page);
  platform::Bytes table;
  table.reserve(line.size() * 2);
  std::size_t at = 0;
  auto next_byte = [&]() -> std::uint8_t {
    // A unit that encodes to nothing of its own (the second half of a pair) reads "?".
    return at < encoded.size() ? static_cast<std::uint8_t>(encoded[at++]) : std::uint8_t{'?'};
  };
  for (std::size_t unit = 0; unit < line.size(); ++unit) {
    const std::uint8_t first = next_byte();
    if (first & 0x80) {
      table.push_back(first);
      table.push_back(next_byte());
    } else {
      table.push_back(0x00);
      table.push_back(first);
    }
  }
  return table;
}

StringFontOutcome BuildStringFont(const std::vector<std::u16string>& lines, platform::CodePage page,
                                  const GlyphSettings& glyph, platform::TextDrawer& drawer,
                                  const RunControl& control) {
  StringFontOutcome outcome;
  std::size_t count = 0;
  for (const std::u16string& line : lines)
    count += line.size();
  const auto cell = ReadCell(glyph);
  if (!cell) {
    outcome.error = cell.error();
    return outcome;
  }
  const auto limit = ReadGrayLimit(glyph);
  if (!limit) {
    outcome.error = limit.error();
    return outcome;
  }
  const bool turned = cell->rotation == kRight90 || cell->rotation == kLeft90;
  const int raster_width = turned ? cell->height : cell->width;
  const int raster_height = turned ? cell->width : cell->height;
  const std::size_t glyph_size = GlyphSize(*cell);
  const std::size_t header_size = 12 + 2 * count;
  try {
    outcome.file.reserve(header_size + glyph_size * count);
  } catch (const std::exception&) {
    outcome.error = platform::Error(kOutOfMemory);
    return outcome;
  }

  outcome.file.assign(kStringFontMagic, kStringFontMagic + 8);
  outcome.file.push_back(static_cast<std::uint8_t>((count >> 8) & 0xFF));
  outcome.file.push_back(static_cast<std::uint8_t>(count & 0xFF));
  outcome.file.push_back(static_cast<std::uint8_t>(raster_width & 0xFF));
  outcome.file.push_back(static_cast<std::uint8_t>(raster_height & 0xFF));
  for (const std::u16string& line : lines) {
    const platform::Bytes table = CodeTableOf(line, page);
    outcome.file.insert(outcome.file.end(), table.begin(), table.end());
    control.Pump();
  }
  platform::Report(control.progress, 0);

  const std::size_t file_size = header_size + glyph_size * count;
  outcome.file.resize(file_size, 0x00);
  std::size_t fill = header_size;
  if (glyph_size == 0)
    return outcome;
  RunGlyph next{*cell, *limit, &drawer};
  CoverageCount coverage;
  for (const std::u16string& line : lines) {
    for (const char16_t unit : line) {
      next = control.Next(next);
      const picture::WorkingBitmap raster =
          RenderGlyph(*next.drawer, std::u16string_view(&unit, 1), next.cell);
      coverage.Add(next.drawer->LastCoverage());
      PackGlyphInto(raster, next.gray_limit, std::span(outcome.file).subspan(fill, glyph_size));
      fill += glyph_size;
      if (fill >= file_size)
        break;
      if (control.StopRequested()) {
        outcome.stopped = true;
        outcome.file.clear();
        return outcome;
      }
      platform::Report(control.progress, static_cast<int>(fill * 98 / file_size));
    }
  }
  outcome.coverage = coverage.Total();
  outcome.coverage_lines = CoverageLines(outcome.coverage, true);
  return outcome;
}

}  // namespace font
