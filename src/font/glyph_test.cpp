#include "font/glyph_test.h"

#include "font/coverage_report.h"
#include "font/font_file.h"

namespace font {

platform::Result<GlyphView> PreviewGlyph(platform::TextDrawer& drawer, std::u16string_view text,
                                         const GlyphSettings& settings) {
  const auto cell = ReadCell(settings);
  if (!cell)
    return cell.error();
  picture::WorkingBitmap raster = RenderGlyph(drawer, text, *cell);
  const auto limit = ReadGrayLimit(settings);
  if (!limit)
    return limit.error();
  GlyphPreviews previews = ZoomedPreviews(raster, *limit);
  CoverageCount coverage;
  coverage.Add(drawer.LastCoverage());
  return GlyphView{std::move(raster), std::move(previews),
                   GlyphFacesText(drawer.LastFaces(), coverage.Total()),
                   CoverageLines(coverage.Total(), true)};
}

platform::Result<GlyphBytes> ShowGlyphBytes(platform::TextDrawer& drawer, std::u16string_view text,
                                            const GlyphSettings& settings) {
  auto view = PreviewGlyph(drawer, text, settings);
  if (!view)
    return view.error();
  const int limit = *ReadGrayLimit(settings);
  platform::Bytes packed = PackGlyph(view->raster, limit);
  std::string listing = GlyphByteListing(packed);
  return GlyphBytes{std::move(*view), std::move(packed), std::move(listing)};
}

}  // namespace font
