#pragma once
// What a font run says about the characters its chosen face could not draw: one line
// per face that stood in, then the characters left blank, then faces that could not
// be read. The command line prints these lines on standard error, the window in its log.

#include <string>
#include <vector>

#include "platform/glyph_rasteriser.h"

namespace font {

// A string font lists this many of its blank characters.
inline constexpr std::size_t kListedBlankCharacters = 20;

// What a run's glyphs could not draw with the chosen face, added up glyph by glyph;
// the run may change its drawer between glyphs.
class CoverageCount {
 public:
  // What the drawer said of the glyph just drawn (null: nothing to tell).
  void Add(const platform::Coverage* glyph);
  [[nodiscard]] const platform::Coverage& Total() const { return total_; }

 private:
  platform::Coverage total_;
};

// "N characters drawn with FACE" per face that stood in, "M characters have no glyph in
// any installed font" (or "... in FACE" when no other face was asked), with up to 20
// of them as U+XXXX when `list_blank`, and "K characters could not be read from FACE".
std::vector<std::string> CoverageLines(const platform::Coverage& coverage, bool list_blank);

// What the window shows beside the preview: "Drawn with FACE", or why the glyph is blank.
std::string GlyphFacesText(const std::vector<std::string>& faces,
                           const platform::Coverage& coverage);

}  // namespace font
