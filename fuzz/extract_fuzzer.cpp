// A flash image or resource file handed to `extract`: every entry listed lies in the
// file or says why not, every good entry decodes within a bound set by its own size,
// and the files written for it have the size their headers promise.
#include "builder/builder_types.h"
#include "fuzz/fuzz_check.h"
#include "viewer/extract.h"
#include "viewer/image_contents.h"

namespace {

// RGBA bytes per stored byte at most: a Black_White pixel is one bit (32), a glyph cell
// nine pixels wide keeps one byte for them (36, up to 60 for fifteen), and a sheet row
// of fewer than 16 cells is filled out; 128 bounds them all.
constexpr std::uint64_t kWidestExpansion = 128;
constexpr std::size_t kPngWorthWriting = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Choices choices({data, size});
  static const char* const kNames[] = {
      "Dravick_Flash.bin", "Dravick_Flash.bin", "Dravick_Flash.bin", "Picture-x.bin",
      "Gif-x.bin",         "Font_C1_16.bin",    "Wav-x.bin",         "Cursor-x.bin"};
  const std::string name = kNames[choices.Next(8)];
  const int split = choices.Next(16);
  const int flags = choices.Next(16);
  viewer::ReadOptions options;
  options.colour_order_index = flags & 1;
  options.argb = (flags & 2) != 0;
  if (flags & 4)
    options.nand = (flags & 8) != 0;

  std::vector<std::uint8_t> file(data, data + size);
  std::optional<std::vector<std::uint8_t>> beside;
  if (name.starts_with("Dravick")) {
    if (file.size() < builder::kNorHeaderSize)
      file.resize(builder::kNorHeaderSize, 0xFF);
  } else if (split > 0) {
    // The input's tail stands for the address list or listing beside the file.
    const std::size_t cut = file.size() * std::size_t(16 - split) / 16;
    beside.emplace(file.begin() + std::ptrdiff_t(cut), file.end());
    file.resize(cut);
  }

  const auto contents = viewer::ReadImageContents(file, name, options, beside);
  if (!contents) {
    FUZZ_REQUIRE(fuzz::ClearError(contents.error()));
    return 0;
  }
  for (const viewer::Entry& entry : contents->entries) {
    FUZZ_REQUIRE(!entry.output.empty());
    if (!entry.Good()) {
      FUZZ_REQUIRE(!viewer::EntryBytes(*contents, entry).ok());
      continue;
    }
    FUZZ_REQUIRE(entry.address + entry.size <= file.size());
    if (!entry.note.empty())
      continue;
    std::size_t rgba = 0;
    switch (entry.kind) {
      case viewer::EntryKind::Picture: {
        const auto picture = viewer::DecodePictureEntry(*contents, entry);
        FUZZ_REQUIRE(picture.ok());
        FUZZ_REQUIRE(picture->rgba.size() == std::size_t(entry.width) * entry.height * 4);
        rgba = picture->rgba.size();
        break;
      }
      case viewer::EntryKind::Font: {
        const auto sheet = viewer::DecodeFontEntry(*contents, entry);
        FUZZ_REQUIRE(sheet.ok());
        FUZZ_REQUIRE(sheet->count == entry.cell_count);
        FUZZ_REQUIRE(sheet->codes.size() == std::size_t(sheet->count));
        rgba = sheet->picture.rgba.size();
        break;
      }
      case viewer::EntryKind::Cursor:
        FUZZ_REQUIRE(viewer::DecodeCursorEntry(*contents, entry).ok());
        rgba = 32 * 32 * 4;
        break;
      case viewer::EntryKind::Sound: {
        const auto wav = viewer::SoundWavEntry(*contents, entry);
        FUZZ_REQUIRE(wav.ok() && wav->size() == 44 + entry.size + entry.size % 2);
        break;
      }
    }
    FUZZ_REQUIRE(rgba <= kWidestExpansion * entry.size);
    if (rgba > 0 && rgba <= kPngWorthWriting) {
      const auto png = viewer::EntryFileBytes(*contents, entry);
      FUZZ_REQUIRE(png.ok() && png->size() > 8 && (*png)[1] == 'P');
    }
  }
  return 0;
}
