#include "font/run_control.h"

namespace font {

RunGlyph RunControl::Next(const RunGlyph& previous) const {
  RunGlyph next = previous;
  if (current_settings) {
    const GlyphSettings now = current_settings();
    next.cell.x_offset = now.x_offset;
    next.cell.y_offset = now.y_offset;
    next.cell.reverse_x = now.reverse_x;
    next.cell.reverse_y = now.reverse_y;
    if (const auto limit = ReadGrayLimit(now))
      next.gray_limit = *limit;
  }
  if (current_drawer) {
    if (platform::TextDrawer* drawer = current_drawer())
      next.drawer = drawer;
  }
  return next;
}

}  // namespace font
