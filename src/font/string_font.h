#pragma once
// The string font: only the characters of a text, each with its code, so that a module
// showing a few fixed texts needs no whole library.
//
//   0   "MrlxFont"
//   8   N, big-endian (N modulo 65536)
//   10  raster width Wr, raster height Hr (low 8 bits each)
//   12  N codes in the text code page, high byte first (0x00 before a single byte)
//   12 + 2N  N glyphs of S bytes

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "font/glyph_cell.h"
#include "font/run_control.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/message.h"

namespace font {

inline constexpr const char* kStringFontMagic = "MrlxFont";

// A text file's lines: its bytes up to the first zero byte, decoded with the text code
// page and split at CR LF, CR or LF.
std::vector<std::u16string> StringTextLines(std::span<const std::uint8_t> file_bytes,
                                            platform::CodePage page);

// The text a string font is made of, kept between runs as the window keeps it.
struct StringText {
  bool loaded = false;
  std::vector<std::u16string> lines;
};

// Reads the chosen file into `text`. A name without "." reads nothing once a text has
// been loaded: the previous text is used again. The error says the file cannot be read.
std::optional<platform::Message> LoadStringText(const std::string& name, platform::CodePage page,
                                                StringText& text);

// The code table entries of one line: one (high, low) pair per UTF-16 unit, walked
// over the line's code-page bytes.
platform::Bytes CodeTableOf(std::u16string_view line, platform::CodePage page);

struct StringFontOutcome {
  std::optional<platform::Message> error;   // the run stopped with this message
  bool stopped = false;                     // the stop request ended the run
  platform::Bytes file;                     // the whole string font otherwise
  platform::Coverage coverage;              // what the chosen face could not draw
  std::vector<std::string> coverage_lines;  // and what the run says of it
};

StringFontOutcome BuildStringFont(const std::vector<std::u16string>& lines, platform::CodePage page,
                                  const GlyphSettings& glyph, platform::TextDrawer& drawer,
                                  const RunControl& control = {});

}  // namespace font
