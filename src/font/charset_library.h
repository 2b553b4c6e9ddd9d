#pragma once
// A whole character-set font library: every code of the set in code order, drawn and
// packed into its slot. The file has no header; the module finds a glyph by arithmetic
// on its code, so the slot order and count are the format.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "font/charset_codes.h"
#include "font/glyph_cell.h"
#include "font/run_control.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"
#include "platform/message.h"

namespace font {

struct LibraryRequest {
  CharacterSet set = CharacterSet::Gb2312;
  bool traditional_locale = false;  // BIG5 codes decoded with code page 950 directly
  std::string start_text = "AC00";  // EditUNIS, code-page text
  std::string end_text = "D7A3";    // EditUNIE
  GlyphSettings glyph;
};

struct LibraryOutcome {
  std::vector<std::string> log_lines;       // appended to the window's log
  std::optional<platform::Message> error;   // the run stopped with this message
  bool stopped = false;                     // the stop request ended the run
  platform::Bytes library;                  // slots x S bytes when neither
  std::string completion;                   // "GB2312 Font Lib ok", shown once written
  platform::Coverage coverage;              // what the chosen face could not draw
  std::vector<std::string> coverage_lines;  // and what the run says of it
};

// Glyph slots of the file; for "UniCode" end - start + 1.
std::size_t SlotCount(CharacterSet set, std::uint16_t start = 0, std::uint16_t end = 0);

// The message shown when the set's library has been written.
std::string CompletionMessage(CharacterSet set);

// Slot of a code (lead << 8 | trail) in the set's file; for "UniCode" code - start.
std::size_t SlotOf(CharacterSet set, std::uint16_t code, std::uint16_t start = 0);

// The code held by a slot of the set's file, the inverse of SlotOf; nothing for the
// slots that fill the file past the set's last code.
std::optional<std::uint16_t> CodeOfSlot(CharacterSet set, std::size_t slot,
                                        std::uint16_t start = 0);

// Runs the whole library in memory. Slots that receive no glyph stay 0x00.
LibraryOutcome BuildCharsetLibrary(const LibraryRequest& request, platform::TextDrawer& drawer,
                                   const RunControl& control = {});

}  // namespace font
