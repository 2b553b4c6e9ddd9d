#include "viewer/image_contents.h"

#include <gtest/gtest.h>

#include <random>

#include "builder/builder_types.h"
#include "builder/header_bytes.h"

namespace viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A NOR flash image put together by hand: a 0xFF header, then the resources, each
// entered in its table.
class HandImage {
 public:
  explicit HandImage(std::size_t header = builder::kNorHeaderSize) : bytes_(header, 0xFF) {
    Put(builder::kPictureCountAt, 0, 2);
  }

  // Appends `size` bytes and enters a picture of w x h pointing at them; `claimed`
  // stands in for the size the table gives.
  void Picture(int w, int h, std::uint32_t size, std::int64_t claimed = -1,
               std::int64_t address = -1) {
    const std::size_t at = builder::PictureEntryAt(pictures_);
    Put(at, std::uint32_t(w), 2);
    Put(at + 2, std::uint32_t(h), 2);
    Put(at + 4, address < 0 ? Append(size) : std::uint32_t(address), 4);
    Put(at + 8, claimed < 0 ? size : std::uint32_t(claimed), 4);
    Put(builder::kPictureCountAt, std::uint32_t(++pictures_), 2);
  }
  void Font(int slot, int size_code, const Bytes& font) {
    const std::size_t at = builder::kFontTableAt + builder::kFontSlotSize * std::size_t(slot);
    bytes_[at] = std::uint8_t(size_code);
    Put(at + 1, Append(font), 4);
    Put(at + 5, std::uint32_t(font.size()), 4);
  }
  void Sound(std::uint32_t size) {
    const std::size_t at = builder::kWavTableAt + builder::kWavEntrySize * std::size_t(sounds_);
    bytes_[at] = std::uint8_t(sounds_++);
    Put(at + 1, Append(size), 4);
    Put(at + 5, size, 4);
  }
  void Cursor(std::uint32_t size) {
    const std::size_t at =
        builder::kCursorTableAt + builder::kCursorEntrySize * std::size_t(cursors_++);
    Put(at, Append(size), 4);
    Put(at + 4, size, 4);
  }
  [[nodiscard]] const viewer::Bytes& File() const { return bytes_; }

 private:
  void Put(std::size_t at, std::uint32_t value, int width) {
    builder::PutBigEndian(bytes_, at, value, width);
  }
  std::uint32_t Append(std::uint32_t size) { return Append(viewer::Bytes(size, 0x5A)); }
  std::uint32_t Append(const viewer::Bytes& data) {
    const auto at = std::uint32_t(bytes_.size());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return at;
  }
  viewer::Bytes bytes_;
  int pictures_ = 0, sounds_ = 0, cursors_ = 0;
};

ImageContents Read(const Bytes& bytes, const std::string& name = "Dravick_Flash.bin",
                   const ReadOptions& options = {}, std::optional<Bytes> beside = {}) {
  auto contents = ReadImageContents(bytes, name, options, std::move(beside));
  EXPECT_TRUE(contents.ok()) << contents.error().text;
  return contents.ok() ? std::move(*contents) : ImageContents{};
}

TEST(ImageContents, FlashImageEntriesTakeTheirFormFromTheirSize) {
  HandImage image;
  image.Picture(5, 2, 20);                  // R5G6B5
  image.Picture(5, 2, 30);                  // R8G8B8
  image.Picture(10, 10, 20);                // Black_White
  image.Picture(5, 2, 21);                  // fits no form
  image.Picture(4, 4, 32, 32, 0x7FFFFFF0);  // past the end
  image.Font(1, 16, Bytes(32 * 3, 0));
  image.Font(2, 24, Bytes(72 * 2 + 1, 0));  // not a whole number of 24 x 24 cells
  image.Sound(100);
  image.Cursor(256);
  image.Cursor(255);
  const ImageContents contents = Read(image.File());
  EXPECT_TRUE(contents.flash_image);
  EXPECT_FALSE(contents.nand);
  EXPECT_FALSE(contents.header_lines.empty());
  struct Expected {
    EntryKind kind;
    int index;
    std::string form, output, problem_part;
  } expected[] = {
      {EntryKind::Picture, 0, "R5G6B5", "picture-000.png", ""},
      {EntryKind::Picture, 1, "R8G8B8", "picture-001.png", ""},
      {EntryKind::Picture, 2, "Black_White", "picture-002.png", ""},
      {EntryKind::Picture, 3, "", "picture-003.png", "fits no form of 5x2"},
      {EntryKind::Picture, 4, "", "picture-004.png", "lies outside the file"},
      {EntryKind::Font, 1, "UniCode/3-cells", "font-1.png", ""},
      {EntryKind::Font, 2, "", "font-2.png", "not a whole number of 24x24 cells"},
      {EntryKind::Sound, 0, "PCM/8-bit/1-ch/8000-Hz", "sound-0.wav", ""},
      {EntryKind::Cursor, 0, "cursor-codes", "cursor-0.png", ""},
      {EntryKind::Cursor, 1, "cursor-codes", "cursor-1.png", "is no cursor's"},
  };
  ASSERT_EQ(contents.entries.size(), std::size(expected));
  for (std::size_t i = 0; i < contents.entries.size(); ++i) {
    const Entry& entry = contents.entries[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(e.output);
    EXPECT_EQ(entry.kind, e.kind);
    EXPECT_EQ(entry.index, e.index);
    EXPECT_EQ(entry.output, e.output);
    if (e.problem_part.empty()) {
      EXPECT_TRUE(entry.Good()) << entry.problem;
      EXPECT_EQ(entry.form, e.form);
      EXPECT_TRUE(EntryBytes(contents, entry).ok());
    } else {
      EXPECT_NE(entry.problem.find(e.problem_part), std::string::npos) << entry.problem;
      EXPECT_FALSE(EntryBytes(contents, entry).ok());
    }
  }
  // A good entry decodes on demand; a bad one says why.
  EXPECT_TRUE(DecodePictureEntry(contents, contents.entries[0]).ok());
  EXPECT_FALSE(DecodePictureEntry(contents, contents.entries[3]).ok());
  EXPECT_FALSE(DecodePictureEntry(contents, contents.entries[5]).ok());  // a font
}

TEST(ImageContents, OptionsDecideWhatTheFileDoesNotSay) {
  HandImage image;
  image.Picture(5, 2, 32);  // NAND rows of R5G6B5
  image.Font(0, 255, Bytes(24 * 3, 0));
  ReadOptions options;
  options.nand = true;
  options.argb = true;
  options.cell_width = 12;
  options.cell_height = 24;
  const ImageContents contents = Read(image.File(), "Dravick_Flash.bin", options);
  ASSERT_EQ(contents.entries.size(), 2u);
  EXPECT_EQ(contents.entries[0].form, "ARGB4/NAND");
  EXPECT_EQ(contents.entries[0].pixel_form, picture::PixelForm::Argb4);
  EXPECT_EQ(contents.entries[1].width, 12);
  EXPECT_EQ(contents.entries[1].cell_count, 3);
  // Read as NOR the same picture fits no form.
  EXPECT_FALSE(Read(image.File()).entries[0].Good());
}

TEST(ImageContents, ResourceFilesAreKnownByTheirNames) {
  const std::string list =
      "//0\r\n{5, 2, 0x00000000, 0x00000014},//run.gif-Frames0\n\r\n"
      "{5, 2, 0x00000014, 0x00000014},//run.gif-Frames1\n\r\n"
      "{5, 2, 0x00000028, 0x00000014},//run.gif-Frames2\n\r\n";
  const ImageContents gif = Read(Bytes(50, 0), "Gif-run.bin", {}, Bytes(list.begin(), list.end()));
  EXPECT_FALSE(gif.flash_image);
  ASSERT_EQ(gif.entries.size(), 3u);
  EXPECT_TRUE(gif.entries[0].Good());
  EXPECT_EQ(gif.entries[1].label, "run.gif-Frames1");
  EXPECT_EQ(gif.entries[1].address, 0x14u);
  // The list does not match its .bin: the third frame runs past its end.
  EXPECT_NE(gif.entries[2].problem.find("outside the file"), std::string::npos);
  EXPECT_EQ(gif.inputs, (std::vector<std::string>{"Gif-run.bin", "Gif-run-Addr.txt"}));

  // Lines that hold no entry are named (a few of them); a list longer than any picture
  // table is read as far as a table goes.
  std::string odd = "{1a, 2, 0x0, 0x4},//bad decimal\r\n{2, 1, 0x0, 0x4},//ok.png\r\n";
  const ImageContents listed =
      Read(Bytes(4, 0), "Picture-x.bin", {}, Bytes(odd.begin(), odd.end()));
  ASSERT_EQ(listed.entries.size(), 1u);
  EXPECT_TRUE(listed.entries[0].Good());
  ASSERT_EQ(listed.problems.size(), 1u);
  EXPECT_NE(listed.problems[0].find("Picture-x-Addr.txt line 1"), std::string::npos);
  std::string bad_lines, long_list;
  for (int i = 0; i < 30; ++i)
    bad_lines += "{1a, 2, 0x0, 0x4}\r\n";
  for (int i = 0; i < 9000; ++i)
    long_list += "{2, 1, 0x0, 0x4},//p.png\r\n";
  EXPECT_EQ(Read(Bytes(4, 0), "Picture-x.bin", {}, Bytes(bad_lines.begin(), bad_lines.end()))
                .problems.size(),
            20u + 2u);  // twenty named, one for the rest, one for no pictures at all
  const ImageContents many =
      Read(Bytes(4, 0), "Number-x.bin", {}, Bytes(long_list.begin(), long_list.end()));
  EXPECT_EQ(many.entries.size(), 8874u);
  EXPECT_EQ(many.problems.size(), 1u);

  // No address list beside a picture resource: nothing can be listed.
  EXPECT_FALSE(ReadImageContents(Bytes(50, 0), "Picture-a.bin").ok());

  const ImageContents font = Read(Bytes(8352 * 32, 0), "Font_C1_16.bin");
  ASSERT_EQ(font.entries.size(), 1u);
  EXPECT_EQ(font.entries[0].form, "GB2312/8352-cells");
  EXPECT_EQ(font.entries[0].output, "font.png");

  const ImageContents cursor = Read(Bytes(256, 0xAA), "Cursor-x.bin");
  ASSERT_EQ(cursor.entries.size(), 1u);
  EXPECT_EQ(cursor.entries[0].output, "cursor.png");
  auto picture = DecodeCursorEntry(cursor, cursor.entries[0]);
  ASSERT_TRUE(picture.ok());
  EXPECT_EQ(picture->rgba[0], 255);  // code 2 shows white

  const std::string listing =
      "{    //beep.wav\r\n2,   //Sound channel number\r\n16,  //16bits every sample\r\n"
      "22050,//Samples number per-second\r\n8//The bytes of Bin_File_Data_Size \r\n};\r\n";
  const ImageContents sound =
      Read(Bytes(8, 0), "Wav-beep.bin", {}, Bytes(listing.begin(), listing.end()));
  ASSERT_EQ(sound.entries.size(), 1u);
  EXPECT_EQ(sound.entries[0].sound, (SoundFormat{2, 16, 22050, true}));
  EXPECT_EQ(sound.entries[0].output, "sound.wav");
}

TEST(ImageContents, BrokenImagesAreRefusedOrListedWithProblems) {
  // Shorter than a header: nothing to list.
  EXPECT_FALSE(ReadImageContents(Bytes(0x2FFF, 0xFF), "Dravick_Flash.bin").ok());
  EXPECT_FALSE(ReadImageContents(Bytes{}, "Dravick_Flash.bin").ok());

  // A header that claims more pictures than it holds.
  HandImage image;
  Bytes bytes = image.File();
  builder::PutBigEndian(bytes, builder::kPictureCountAt, 0xFFFF, 2);
  const ImageContents contents = Read(bytes);
  EXPECT_EQ(contents.entries.size(), 341u);
  EXPECT_FALSE(contents.problems.empty());

  // Random images: listed or refused, never more read than the file holds.
  std::mt19937 random(13);
  for (int round = 0; round < 40; ++round) {
    Bytes noise(0x3000 + random() % 0x30000);
    for (auto& byte : noise)
      byte = std::uint8_t(random());
    if (round % 2)  // a plausible picture count, so the table is walked
      builder::PutBigEndian(noise, builder::kPictureCountAt, random() % 400, 2);
    auto listed = ReadImageContents(noise, "Dravick_Flash.bin");
    if (!listed.ok())
      continue;
    for (const Entry& entry : listed->entries) {
      if (!entry.Good())
        continue;
      EXPECT_LE(entry.address + entry.size, noise.size());
      if (entry.kind == EntryKind::Picture) {
        EXPECT_TRUE(DecodePictureEntry(*listed, entry).ok());
      }
      if (entry.kind == EntryKind::Font && entry.note.empty()) {
        EXPECT_TRUE(DecodeFontEntry(*listed, entry).ok());
      }
    }
  }
}

}  // namespace
}  // namespace viewer
