#include "font/charset_library.h"

#include <new>

#include "font/coverage_report.h"
#include "font/messages.h"

namespace font {

namespace {

// Larger libraries than this do not fit any module's flash and are refused.
constexpr std::size_t kMaxLibraryBytes = std::size_t(1) << 30;

struct TrailRange {
  int first;
  int last;
};

struct SetLayout {
  int first_lead;
  int last_lead;
  std::vector<TrailRange> trails;
  std::size_t slots;
};

SetLayout LayoutOf(CharacterSet set) {
  switch (set) {
    case CharacterSet::Big5:
      // Lead 0xF9 would follow, but 14080 slots are full at the end of lead 0xF8.
      return {0xA1, 0xF9, {{0x40, 0x7F}, {0xA0, 0xFF}}, 14080};
    case CharacterSet::Gbk:
      return {0x81, 0xFE, {{0x40, 0xFE}}, 32190};
    default:
      return {0xA1, 0xF7, {{0xA1, 0xFE}}, 8352};
  }
}

// Calls `glyph(code)` for every code in file order until it returns false.
template <class Glyph>
void ForEachCode(CharacterSet set, std::uint16_t start, std::uint16_t end, Glyph glyph) {
  if (set == CharacterSet::Unicode) {
    for (std::uint32_t code = start; code <= end; ++code)
      if (!glyph(static_cast<std::uint16_t>(code)))
        return;
    return;
  }
  const SetLayout layout = LayoutOf(set);
  for (int lead = layout.first_lead; lead <= layout.last_lead; ++lead)
    for (const TrailRange& range : layout.trails)
      for (int trail = range.first; trail <= range.last; ++trail)
        if (!glyph(static_cast<std::uint16_t>(lead << 8 | trail)))
          return;
}

}  // namespace

std::size_t SlotCount(CharacterSet set, std::uint16_t start, std::uint16_t end) {
  if (set == CharacterSet::Unicode)
    return end >= start ? std::size_t(end - start) + 1 : 0;
  return LayoutOf(set).slots;
}

std::string CompletionMessage(CharacterSet set) {
  switch (set) {
    case CharacterSet::Big5:
      return "BIG5 Font Lib ok";
    case CharacterSet::Gb2312Traditional:
      return "繁体GB2312 Font Lib ok";
    case CharacterSet::Unicode:
      return "UniCode Font Lib ok";
    default:  // GBK shares the GB2312 text
      return "GB2312 Font Lib ok";
  }
}

std::size_t SlotOf(CharacterSet set, std::uint16_t code, std::uint16_t start) {
  const int lead = code >> 8;
  const int trail = code & 0xFF;
  switch (set) {
    case CharacterSet::Unicode:
      return std::size_t(code - start);
    case CharacterSet::Big5:
      return std::size_t((lead - 0xA1) * 160 + (trail <= 0x7F ? trail - 0x40 : 64 + trail - 0xA0));
    case CharacterSet::Gbk:
      return std::size_t((lead - 0x81) * 191 + (trail - 0x40));
    default:
      return std::size_t((lead - 0xA1) * 94 + (trail - 0xA1));
  }
}

std::optional<std::uint16_t> CodeOfSlot(CharacterSet set, std::size_t slot, std::uint16_t start) {
  if (set == CharacterSet::Unicode) {
    if (slot > std::size_t(0xFFFF - start))
      return std::nullopt;
    return static_cast<std::uint16_t>(start + slot);
  }
  const SetLayout layout = LayoutOf(set);
  std::size_t per_lead = 0;
  for (const TrailRange& range : layout.trails)
    per_lead += std::size_t(range.last - range.first + 1);
  const std::size_t lead = std::size_t(layout.first_lead) + slot / per_lead;
  if (slot >= layout.slots || lead > std::size_t(layout.last_lead))
    return std::nullopt;
  std::size_t trail = slot % per_lead;
  for (const TrailRange& range : layout.trails) {
    const std::size_t size = std::size_t(range.last - range.first + 1);
    if (trail < size)
      return static_cast<std::uint16_t>(lead << 8 | (std::size_t(range.first) + trail));
    trail -= size;
  }
  return std::nullopt;
}

LibraryOutcome BuildCharsetLibrary(const LibraryRequest& request, platform::TextDrawer& drawer,
                                   const RunControl& control) {
  LibraryOutcome outcome;
  std::uint16_t start = 0;
  std::uint16_t end = 0;
  if (request.set == CharacterSet::Unicode) {
    start = HexFieldValue(request.start_text);
    end = HexFieldValue(request.end_text);
    outcome.log_lines.push_back(kUnicodeStart + Hex4(start));
    outcome.log_lines.push_back(kUnicodeEnd + Hex4(end));
    if (end < start) {
      outcome.error = platform::Error(kStartGreaterThanEnd);
      return outcome;
    }
    outcome.log_lines.push_back(kUnicodeNumber + std::to_string(end - start + 1));
  }
  const auto cell = ReadCell(request.glyph);
  if (!cell) {
    outcome.error = cell.error();
    return outcome;
  }
  const auto limit = ReadGrayLimit(request.glyph);
  if (!limit) {
    outcome.error = limit.error();
    return outcome;
  }
  const std::size_t glyph_size = GlyphSize(*cell);
  const std::size_t slots = SlotCount(request.set, start, end);
  if (glyph_size != 0 && slots > kMaxLibraryBytes / glyph_size) {
    outcome.error = platform::Error(kOutOfMemory);
    return outcome;
  }
  const std::size_t library_size = slots * glyph_size;
  try {
    outcome.library.assign(library_size, 0x00);
  } catch (const std::bad_alloc&) {
    outcome.error = platform::Error(kOutOfMemory);
    return outcome;
  }

  platform::Report(control.progress, 0);
  CoverageCount coverage;
  std::size_t fill = 0;
  RunGlyph glyph{*cell, *limit, &drawer};
  ForEachCode(request.set, start, end, [&](std::uint16_t code) {
    glyph = control.Next(glyph);
    const picture::WorkingBitmap raster = RenderGlyph(
        *glyph.drawer,
        DecodeCharsetCode(request.set, static_cast<std::uint8_t>(code >> 8),
                          static_cast<std::uint8_t>(code & 0xFF), request.traditional_locale),
        glyph.cell);
    coverage.Add(glyph.drawer->LastCoverage());
    PackGlyphInto(raster, glyph.gray_limit, std::span(outcome.library).subspan(fill, glyph_size));
    fill += glyph_size;
    if (fill >= library_size)
      return false;
    if (control.StopRequested()) {
      outcome.stopped = true;
      return false;
    }
    platform::Report(control.progress, static_cast<int>(fill * 98 / library_size));
    return true;
  });
  if (outcome.stopped) {
    outcome.library.clear();
    return outcome;
  }
  outcome.completion = CompletionMessage(request.set);
  outcome.coverage = coverage.Total();
  outcome.coverage_lines = CoverageLines(outcome.coverage, false);
  return outcome;
}

}  // namespace font
