// The decoders of one entry: its bytes read from the file and turned into what the
// module shows.
#include "cursor/cursor_file.h"
#include "viewer/image_contents.h"

namespace viewer {

namespace {

platform::Message WrongKind(const Entry& entry, const char* wanted) {
  return platform::Error(std::string(KindName(entry.kind)) + " " + std::to_string(entry.index) +
                         " is no " + wanted);
}

}  // namespace

platform::Result<picture::DecodedPicture> DecodePictureEntry(const ImageContents& contents,
                                                             const Entry& entry) {
  if (entry.kind != EntryKind::Picture)
    return WrongKind(entry, "picture");
  auto bytes = EntryBytes(contents, entry);
  if (!bytes)
    return bytes.error();
  picture::DecodeSettings settings;
  settings.colour_order_index = contents.options.colour_order_index;
  settings.nand = entry.nand;
  return picture::DecodePicture(*bytes, entry.pixel_form, entry.width, entry.height, settings);
}

platform::Result<GlyphSheet> DecodeFontEntry(const ImageContents& contents, const Entry& entry) {
  if (entry.kind != EntryKind::Font)
    return WrongKind(entry, "font");
  auto bytes = EntryBytes(contents, entry);
  if (!bytes)
    return bytes.error();
  if (entry.layout == FontLayout::StringFont)
    return DecodeStringFont(*bytes);
  auto sheet = DecodeGlyphSheet(*bytes, entry.width, entry.height, entry.cell_count);
  if (!sheet)
    return sheet;
  sheet->codes.reserve(std::size_t(entry.cell_count));
  for (int slot = 0; slot < entry.cell_count; ++slot)
    sheet->codes.push_back(CodeOfSlot(entry.layout, std::size_t(slot)));
  return sheet;
}

platform::Result<picture::DecodedPicture> DecodeCursorEntry(const ImageContents& contents,
                                                            const Entry& entry) {
  if (entry.kind != EntryKind::Cursor)
    return WrongKind(entry, "cursor");
  auto bytes = EntryBytes(contents, entry);
  if (!bytes)
    return bytes.error();
  if (bytes->size() != cursor::kCursorFileSize)
    return platform::Error("a cursor is 256 bytes");
  cursor::CursorBytes stored{};
  std::copy(bytes->begin(), bytes->end(), stored.begin());
  const cursor::CursorImage image = cursor::CursorFromBytes(stored);
  picture::DecodedPicture picture;
  picture.width = picture.height = cursor::kCursorSize;
  picture.rgba.reserve(std::size_t(cursor::kCursorSize) * cursor::kCursorSize * 4);
  for (int r = 0; r < cursor::kCursorSize; ++r) {
    for (int c = 0; c < cursor::kCursorSize; ++c) {
      const picture::Rgb colour = cursor::ColourOfCode(image.At(c, r));
      picture.rgba.insert(picture.rgba.end(), {colour.r, colour.g, colour.b, 0xFF});
    }
  }
  return picture;
}

platform::Result<platform::Bytes> SoundWavEntry(const ImageContents& contents, const Entry& entry) {
  if (entry.kind != EntryKind::Sound)
    return WrongKind(entry, "sound");
  auto bytes = EntryBytes(contents, entry);
  if (!bytes)
    return bytes.error();
  return PcmWav(*bytes, entry.sound, contents.options.signed_8);
}

}  // namespace viewer
