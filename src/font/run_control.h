#pragma once
// How a long font run talks to its caller between glyphs: the window pumps its events
// and may set the stop request there, or change settings that the next glyph uses; the
// command line draws a bar.

#include <functional>

#include "font/glyph_cell.h"
#include "platform/glyph_rasteriser.h"
#include "platform/progress.h"

namespace font {

// What the next glyph of a run is drawn with.
struct RunGlyph {
  GlyphCell cell;
  int gray_limit = 0;
  platform::TextDrawer* drawer = nullptr;
};

struct RunControl {
  platform::Progress progress;           // after each glyph, 0..98 (the caller shows 100)
  std::function<void()> pump_events;     // between lines of the string font's code table
  std::function<bool()> stop_requested;  // checked after each glyph
  // Read again before every glyph, where set: the positions, the mirrors, the gray limit
  // and the font apply from the next glyph on. The cell size and the rotation stay
  // those of the start, so every glyph of the run has the same size.
  std::function<GlyphSettings()> current_settings;
  std::function<platform::TextDrawer*()> current_drawer;

  [[nodiscard]] bool StopRequested() const { return stop_requested && stop_requested(); }
  void Pump() const {
    if (pump_events)
      pump_events();
  }

  // The glyph after `previous`. A gray limit field that holds no number at that moment
  // (the user is typing a new one) leaves the limit as it was.
  [[nodiscard]] RunGlyph Next(const RunGlyph& previous) const;
};

}  // namespace font
