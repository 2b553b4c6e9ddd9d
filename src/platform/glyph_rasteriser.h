#pragma once
// Text drawn with an installed font into an RGB raster, black on white, with the
// rasteriser's own anti-aliasing. The font library generator draws every glyph
// through this; FreeType and fontconfig stay behind it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/message.h"

namespace platform {

// The face the font window asks for first; a Song/Ming-style CJK face stands in for it
// when it is not installed.
inline constexpr const char* kDefaultFaceName = "宋体";

struct FontChoice {
  std::string family = kDefaultFaceName;  // a family name fontconfig resolves, or a font file
  int pixel_height = 14;                  // the em height in pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;

  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// An RGB raster that text is drawn into: `height` rows of `stride` bytes, R G B per pixel.
struct RgbCanvas {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

// Anything that draws a text with its top-left corner at (x, y); whatever falls
// outside the canvas is clipped. Tests put simple drawers in its place.
class TextDrawer {
 public:
  virtual ~TextDrawer() = default;
  virtual void DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) = 0;
};

class GlyphRasteriser final : public TextDrawer {
 public:
  // Opens the face for the choice: a font file when `family` names an existing file,
  // else the face fontconfig resolves for the family. The default face falls back to
  // an installed Song/Ming CJK face. Fails only when no face can be opened at all.
  static Result<std::unique_ptr<GlyphRasteriser>> Open(const FontChoice& choice);
  ~GlyphRasteriser() override;

  // The face that is really used, such as "AR PL UMing CN".
  [[nodiscard]] const std::string& FaceName() const;
  [[nodiscard]] const FontChoice& Choice() const;

  // Draws `text` in black with its cell's top-left at (x, y): the baseline lies the
  // font's ascent below y, as the module's original tool placed text.
  void DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) override;

  struct Face;

 private:
  explicit GlyphRasteriser(std::unique_ptr<Face> face);
  std::unique_ptr<Face> face_;
};

}  // namespace platform
