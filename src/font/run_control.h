#pragma once
// How a long font run talks to its caller between glyphs: the window pumps its events
// and may set the stop request there; the command line draws a bar.

#include <functional>

#include "platform/progress.h"

namespace font {

struct RunControl {
  platform::Progress progress;           // after each glyph, 0..98 (the caller shows 100)
  std::function<void()> pump_events;     // between lines of the string font's code table
  std::function<bool()> stop_requested;  // checked after each glyph

  [[nodiscard]] bool StopRequested() const { return stop_requested && stop_requested(); }
  void Pump() const {
    if (pump_events)
      pump_events();
  }
};

}  // namespace font
