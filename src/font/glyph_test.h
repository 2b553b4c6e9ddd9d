#pragma once
// One glyph shown on its own: what the preview refresh and the three test buttons of
// the font window compute.

#include <string>
#include <string_view>
#include <vector>

#include "font/glyph_cell.h"
#include "font/glyph_preview.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"
#include "platform/message.h"

namespace font {

struct GlyphView {
  picture::WorkingBitmap raster;
  GlyphPreviews previews;
  std::string faces_text;                   // beside the preview: the faces that drew it
  std::vector<std::string> coverage_lines;  // what the chosen face could not draw
};

struct GlyphBytes {
  GlyphView view;
  platform::Bytes packed;
  std::string listing;  // replaces the window's log
};

// Render and preview, as after a font choice or a position change.
platform::Result<GlyphView> PreviewGlyph(platform::TextDrawer& drawer, std::u16string_view text,
                                         const GlyphSettings& settings);

// Render, preview, pack and list the bytes: ShowGlyphBytes of the test buttons.
platform::Result<GlyphBytes> ShowGlyphBytes(platform::TextDrawer& drawer, std::u16string_view text,
                                            const GlyphSettings& settings);

}  // namespace font
