#pragma once
// Drawers for tests: they mark pixels instead of rendering a font, so expected bytes
// can be written down.

#include <cstdint>
#include <string>

#include "platform/glyph_rasteriser.h"

namespace font::testing {

inline void MarkPixel(const platform::RgbCanvas& canvas, int x, int y, std::uint8_t gray = 0) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height)
    return;
  std::uint8_t* p = canvas.pixels + std::size_t(y) * canvas.stride + std::size_t(x) * 3;
  p[0] = p[1] = p[2] = gray;
}

// One black pixel at the text's top-left corner.
class DotDrawer final : public platform::TextDrawer {
 public:
  void DrawText(std::u16string_view, int x, int y, const platform::RgbCanvas& canvas) override {
    MarkPixel(canvas, x, y);
  }
};

// The first UTF-16 unit of the text as 16 pixels, bit 15 leftmost, in the row at y;
// every text also gets a dot below, so even U+0000 leaves a mark.
class CodeBitsDrawer final : public platform::TextDrawer {
 public:
  void DrawText(std::u16string_view text, int x, int y,
                const platform::RgbCanvas& canvas) override {
    ++calls;
    last_text = std::u16string(text);
    const char16_t unit = text.empty() ? 0 : text[0];
    for (int bit = 0; bit < 16; ++bit)
      if (unit & (0x8000 >> bit))
        MarkPixel(canvas, x + bit, y);
    MarkPixel(canvas, x, y + 1);
  }
  int calls = 0;
  std::u16string last_text;
};

}  // namespace font::testing
