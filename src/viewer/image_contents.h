#pragma once
// What a flash image, or one resource file, holds: a list of its entries (pictures,
// fonts, sounds, cursors) with where they lie and in which form, read from the header's
// tables or from the address list beside the file. The list is read once; an entry's
// bytes are read and decoded only when asked for, so a window can list a large image
// at once and draw the entry the user selects.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "picture/pixel_decoders.h"
#include "platform/file_io.h"
#include "platform/message.h"
#include "viewer/glyph_sheet.h"
#include "viewer/sound_wav.h"

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

struct Entry {
  EntryKind kind = EntryKind::Picture;
  int index = 0;              // picture number, font slot, sound or cursor index
  std::uint64_t address = 0;  // flash address, or offset inside a resource file
  std::uint64_t size = 0;     // bytes
  int width = 0, height = 0;  // pixels; for a font its glyph cell
  std::string form;           // "R5G6B5", "GB2312/8352-cells", "PCM/8-bit/1-ch/8000-Hz", ...
  std::string label;          // the address list's own text for it ("a.png", "run.gif-Frames1")
  std::string output;         // the file `extract` writes for it ("picture-007.png")
  std::string problem;        // why it cannot be shown; empty for a good entry
  std::string note;           // why a good entry writes no file (a font without glyphs)

  // How to decode it.
  picture::PixelForm pixel_form = picture::PixelForm::R5G6B5;
  bool nand = false;
  FontLayout layout = FontLayout::Gb2312;
  int cell_count = 0;  // glyphs of a font
  SoundFormat sound;

  [[nodiscard]] bool Good() const { return problem.empty(); }
};

// Where the entries' bytes are read from: the open file, or bytes in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  [[nodiscard]] virtual std::uint64_t Size() const = 0;
  // At most `length` bytes from `offset`, never past Size().
  [[nodiscard]] virtual platform::Result<platform::Bytes> Read(std::uint64_t offset,
                                                               std::uint64_t length) const = 0;
};

struct ImageContents {
  bool flash_image = false;  // else one resource file
  bool nand = false;         // rows as read (the header's size, or the options)
  std::string path;          // as given
  std::uint64_t file_size = 0;
  ReadOptions options;  // what it was read with; the decoders follow them
  // A flash image: its header described as `dravick inspect` prints it (module info,
  // build time, command directory, tables).
  std::vector<std::string> header_lines;
  // Problems that belong to no one entry (an address list line that holds no entry).
  std::vector<std::string> problems;
  std::vector<Entry> entries;
  // Every file read: the image or resource file, and the list beside it.
  std::vector<std::string> inputs;
  std::shared_ptr<const ByteSource> source;
};

// Reads the list of entries. A resource file is known by the builder's name rule
// (Picture, Gif, Number, Font, Wav, Cursor at the start of its name); any other file is
// read as a flash image. Fails only when nothing can be listed: the file cannot be read,
// a flash image is shorter than its header, a picture resource has no address list. A
// bad entry is listed with its problem.
platform::Result<ImageContents> ReadImageContents(const std::string& path,
                                                  const ReadOptions& options = {});
// The same over bytes in memory (tests, fuzzers): `name` decides the kind as above;
// `beside` stands for the address list of a picture or GIF resource, or a sound's listing.
platform::Result<ImageContents> ReadImageContents(platform::Bytes bytes, const std::string& name,
                                                  const ReadOptions& options = {},
                                                  std::optional<platform::Bytes> beside = {});

// The bytes of a good entry.
platform::Result<platform::Bytes> EntryBytes(const ImageContents& contents, const Entry& entry);

// Decoders of one good entry, by its kind.
platform::Result<picture::DecodedPicture> DecodePictureEntry(const ImageContents& contents,
                                                             const Entry& entry);
platform::Result<GlyphSheet> DecodeFontEntry(const ImageContents& contents, const Entry& entry);
// 32 x 32, each code in the cursor editor's display colour.
platform::Result<picture::DecodedPicture> DecodeCursorEntry(const ImageContents& contents,
                                                            const Entry& entry);
// A PCM WAV file whose data chunk is the entry's bytes.
platform::Result<platform::Bytes> SoundWavEntry(const ImageContents& contents, const Entry& entry);

}  // namespace viewer
