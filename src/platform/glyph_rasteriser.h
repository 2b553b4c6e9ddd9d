#pragma once
// Text drawn with an installed font into an RGB raster, black on white, with the
// rasteriser's own anti-aliasing. The font library generator draws every glyph
// through this; FreeType and fontconfig stay behind it. A character the chosen face
// lacks is drawn with the face fontconfig proposes for it, as text renderers do.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

struct FaceCount {
  std::string face;
  std::size_t characters = 0;

  friend bool operator==(const FaceCount&, const FaceCount&) = default;
};

// What the chosen face could not draw of a text: the faces that stood in, the
// characters no face has, and faces that could not read a glyph they have.
struct Coverage {
  bool fallback = true;                    // other faces were asked for what the chosen one lacks
  std::string chosen_face;                 // the face that draws everything it has
  std::vector<FaceCount> fallback_faces;   // faces that stood in, in order of first use
  std::size_t blank = 0;                   // characters no face has (the chosen face's
                                           // missing-glyph shape stands in the cell)
  std::vector<char32_t> blank_characters;  // each once, in order of first appearance
  std::vector<FaceCount> failed_faces;     // characters a face has but could not read

  [[nodiscard]] bool Complete() const {
    return fallback_faces.empty() && blank == 0 && failed_faces.empty();
  }
  friend bool operator==(const Coverage&, const Coverage&) = default;
};

// Anything that draws a text with its top-left corner at (x, y); whatever falls
// outside the canvas is clipped. Tests put simple drawers in its place.
class TextDrawer {
 public:
  virtual ~TextDrawer() = default;
  virtual void DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) = 0;

  // What the chosen face could not draw of the last text; null from drawers that
  // have no faces to tell of.
  [[nodiscard]] virtual const Coverage* LastCoverage() const { return nullptr; }
  // The faces that drew the characters of the last text, each once; empty when it was
  // blank throughout.
  [[nodiscard]] virtual std::vector<std::string> LastFaces() const { return {}; }
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

  // On (the default): a character the chosen face lacks is drawn with the first face
  // of fontconfig's list for the chosen one that has it, at the same pixel size and
  // style. Off, or when no face has it, the chosen face draws its missing-glyph shape.
  void SetFallback(bool fallback);
  [[nodiscard]] bool Fallback() const;

  // Draws `text` in black with its cell's top-left at (x, y): the baseline lies the
  // drawing face's ascent below y, as the module's original tool placed text.
  void DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) override;

  [[nodiscard]] const Coverage* LastCoverage() const override;
  [[nodiscard]] std::vector<std::string> LastFaces() const override;

  struct State;

 private:
  explicit GlyphRasteriser(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace platform
