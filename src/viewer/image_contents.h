#pragma once
// What a flash image, or one resource file, holds: a list of its entries (pictures,
// fonts, sounds, cursors) with where they lie and in which form, read from the header's
// tables or from the address list beside the file. The list is read once; an entry's
// bytes are read and decoded only when asked for, so a window can list a large image
// at once and draw the entry the user selects.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "picture/pixel_decoders.h"
#include "platform/file_io.h"
#include "platform/message.h"

namespace viewer {

enum class EntryKind { Picture, Font, Sound, Cursor };

// "picture", "font", "sound", "cursor".
const char* KindName(EntryKind kind);

// How to read what the file itself does not say (the `dravick extract` options).
struct ReadOptions {
  int colour_order_index = 0;  // 1: pictures were stored in BGR order
  bool argb = false;           // two-byte pictures are four-bit ARGB, not R5G6B5
  // NAND rows: nothing means as the file says (a flash image by its header size, a
  // resource file NOR).
  std::optional<bool> nand;
  int cell_width = 0, cell_height = 0;  // glyph cell of a character-set font; 0: by size code
  // Sound format when no listing is beside the sound.
  std::uint32_t rate = 8000;
  int bits = 8;
  int channels = 1;
  bool signed_8 = false;  // 8-bit samples taken from 16-bit sources: add 0x80 to each
};

// The character-set layouts of a font without header, known by their cell count.
enum class FontLayout { Gb2312, Big5, Gbk, Unicode, StringFont };

// "GB2312", "BIG5", "GBK", "UniCode", "MrlxFont".
const char* LayoutName(FontLayout layout);

struct SoundFormat {
  int channels = 1;
  int bits = 8;
  std::uint32_t rate = 8000;
  bool from_listing = false;  // read from the listing beside the sound
};

struct Entry {
  EntryKind kind = EntryKind::Picture;
  int index = 0;               // picture number, font slot, sound or cursor index
  std::uint64_t address = 0;   // flash address, or offset inside a resource file
  std::uint64_t size = 0;      // bytes
  int width = 0, height = 0;   // pixels; for a font the glyph cell (after rotation)
  std::string form;            // "R5G6B5", "GB2312 16x16", "PCM 8-bit mono 8000 Hz", ...
  std::string label;           // the listing's own text for it ("a.png", "run.gif-Frames1")
  std::string output;          // the file `extract` writes for it ("picture-007.png")
  std::string problem;         // why it cannot be shown; empty for a good entry

  // How to decode it, for good entries.
  picture::PixelForm pixel_form = picture::PixelForm::R5G6B5;
  bool nand = false;
  FontLayout layout = FontLayout::Gb2312;
  int cell_count = 0;  // glyphs of a font
  SoundFormat sound;

  [[nodiscard]] bool Good() const { return problem.empty(); }
};

struct ImageContents {
  bool flash_image = false;  // else one resource file
  bool nand = false;         // rows as read (the header's size, or the options)
  std::string path;
  std::uint64_t file_size = 0;
  // A flash image: its header described as `dravick inspect` prints it (module info,
  // build time, command directory, tables).
  std::vector<std::string> header_lines;
  // Problems that belong to no one entry (an address list line that is no entry line).
  std::vector<std::string> problems;
  std::vector<Entry> entries;
  // The open file the entries are read from.
  std::shared_ptr<const platform::FileReader> file;
};

// Reads the list of entries. A resource file is known by the builder's name rule
// (Picture, Gif, Number, Font, Wav, Cursor); any other name is read as a flash image.
// Fails only when the file cannot be read at all (or is no flash image and no
// resource file, or its address list is missing); a bad entry is an entry with a problem.
platform::Result<ImageContents> ReadImageContents(const std::string& path,
                                                  const ReadOptions& options = {});
// The same over bytes in memory (tests, fuzzers): `name` decides the kind as above, and
// `address_list` stands for the file beside it (picture and GIF resources), `listing`
// for a sound's.
platform::Result<ImageContents> ReadImageContents(std::span<const std::uint8_t> bytes,
                                                  const std::string& name,
                                                  const ReadOptions& options = {},
                                                  std::optional<platform::Bytes> address_list = {},
                                                  std::optional<platform::Bytes> listing = {});

// The bytes of a good entry.
platform::Result<platform::Bytes> EntryBytes(const ImageContents& contents, const Entry& entry);

// Glyph cells laid out as `extract` writes them: 16 cells a row in storage order, ink
// black on white, no gaps.
struct GlyphSheet {
  picture::DecodedPicture picture;
  int cell_width = 0, cell_height = 0;
  int count = 0;
  // The code of each cell: a string font's code table, or the character-set code of the
  // slot (nothing for a slot no code is stored in, and for Unicode fonts whose start is
  // not known).
  std::vector<std::optional<std::uint16_t>> codes;
};

// Decoders of one good entry.
platform::Result<picture::DecodedPicture> DecodePictureEntry(const ImageContents& contents,
                                                             const Entry& entry);
platform::Result<GlyphSheet> DecodeFontEntry(const ImageContents& contents, const Entry& entry);
// 32 x 32, each code in the cursor editor's display colour.
platform::Result<picture::DecodedPicture> DecodeCursorEntry(const ImageContents& contents,
                                                            const Entry& entry);
// A PCM WAV file whose data chunk is the entry's bytes (0x80 added with `signed_8`).
platform::Result<platform::Bytes> SoundWavEntry(const ImageContents& contents, const Entry& entry,
                                                const ReadOptions& options = {});

}  // namespace viewer
