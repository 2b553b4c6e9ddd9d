#pragma once
// What the viewer window shows about the entries: one list line per entry, the entries
// "Play" steps through, and the glyph under a point of a glyph sheet.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "viewer/glyph_sheet.h"
#include "viewer/image_contents.h"

namespace viewer {

// Kind and index, address, size, pixels and form; a bad entry ends with "!" and why.
std::string EntryLine(const Entry& entry);

// The entries Play steps through from `selected`, in their order: in a GIF resource the
// frames of the GIF `selected` belongs to (their address-list names end "-Frames" and the
// frame number); anywhere else every good picture, since a flash image does not say which
// pictures were frames. Empty when `selected` is no good picture.
std::vector<std::size_t> PlayOrder(const ImageContents& contents, std::size_t selected);

// The entry Play shows after `current`: the next of the order, the first after the last.
std::optional<std::size_t> NextToPlay(const ImageContents& contents, std::size_t current);

// The glyph under pixel (x, y) of the sheet: "glyph 3, code 0xB0A3"; "glyph 3" when its
// code is not known; nothing between or past the cells.
std::optional<std::string> GlyphAt(const GlyphSheet& sheet, int x, int y);

}  // namespace viewer
