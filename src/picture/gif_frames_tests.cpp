#include "picture/gif_frames.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "picture/gif_folder.h"
#include "picture/gif_test_writer.h"

namespace picture {
namespace {

using testing::GifBytes;
using testing::ScratchFolder;
using testing::SolidFrame;
using testing::TestGif;
using testing::TestGifFrame;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
const std::vector<Rgb> kPalette{kRed, kGreen, kBlue, {9, 9, 9}};

platform::DecodedGif Decoded(const TestGif& gif) {
  auto decoded = platform::DecodeGif(GifBytes(gif));
  EXPECT_TRUE(decoded) << decoded.error().text;
  return decoded ? *decoded : platform::DecodedGif{};
}

// Row-major colours of the canvas, for comparing whole pictures.
std::vector<Rgb> Colours(const WorkingBitmap& canvas) {
  std::vector<Rgb> colours;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x)
      colours.push_back(canvas.Pixel(x, y));
  }
  return colours;
}

TEST(GifFrames, EachFramePaintsOverTheOnesBefore) {
  TestGifFrame holed = SolidFrame(0, 0, 3, 2, 3);
  holed.indexes[1] = 2;  // one blue pixel in a frame otherwise transparent
  holed.transparent_index = 3;
  TestGifFrame clear = SolidFrame(0, 0, 3, 2, 3);
  clear.transparent_index = 3;
  const platform::DecodedGif gif = Decoded(
      {3, 2, kPalette, {SolidFrame(0, 0, 3, 2, 0), SolidFrame(1, 1, 2, 1, 1), holed, clear}, true});
  ASSERT_EQ(gif.frames.size(), 4u);

  WorkingBitmap canvas;
  ClearCanvas(gif, canvas);
  const std::vector<std::vector<Rgb>> expected{
      {kRed, kRed, kRed, kRed, kRed, kRed},
      {kRed, kRed, kRed, kRed, kGreen, kGreen},
      {kRed, kBlue, kRed, kRed, kGreen, kGreen},
      {kRed, kBlue, kRed, kRed, kGreen, kGreen},  // all transparent: the same picture again
  };
  for (std::size_t i = 0; i < gif.frames.size(); ++i) {
    SCOPED_TRACE(i);
    DrawGifFrame(gif.frames[i], canvas);
    EXPECT_EQ(Colours(canvas), expected[i]);
  }
}

TEST(GifFrames, AFirstFrameSmallerThanTheScreenLeavesWhite) {
  const platform::DecodedGif gif = Decoded({2, 2, kPalette, {SolidFrame(1, 0, 1, 2, 2)}, true});
  WorkingBitmap canvas(5, 5, kRed);  // a previous file's picture
  ClearCanvas(gif, canvas);
  DrawGifFrame(gif.frames.at(0), canvas);
  EXPECT_EQ(Colours(canvas), (std::vector<Rgb>{kWhite, kBlue, kWhite, kBlue}));
}

TEST(GifFrames, DrawingStaysInsideASmallerCanvas) {
  const platform::DecodedGif gif = Decoded({4, 4, kPalette, {SolidFrame(1, 1, 3, 3, 1)}, true});
  WorkingBitmap canvas(2, 2);
  DrawGifFrame(gif.frames.at(0), canvas);
  EXPECT_EQ(Colours(canvas), (std::vector<Rgb>{kWhite, kWhite, kWhite, kGreen}));
}

TEST(GifFrames, FirstFrameIsThePreview) {
  ScratchFolder folder;
  testing::WriteTestFile(
      folder.File("two.gif"),
      GifBytes({2, 1, kPalette, {SolidFrame(0, 0, 2, 1, 2), SolidFrame(0, 0, 2, 1, 0)}, true}));
  testing::WriteTestFile(folder.File("none.gif"), GifBytes({3, 1, kPalette, {}, true}));
  testing::WriteTestFile(folder.File("bad.gif"), {'G', 'I', 'F', '8', '9', 'a', 1});

  auto two = GifFirstFrame(folder.File("two.gif"));
  ASSERT_TRUE(two) << two.error().text;
  EXPECT_EQ(Colours(*two), (std::vector<Rgb>{kBlue, kBlue}));
  auto none = GifFirstFrame(folder.File("none.gif"));
  ASSERT_TRUE(none) << none.error().text;
  EXPECT_EQ(Colours(*none), (std::vector<Rgb>{kWhite, kWhite, kWhite}));
  EXPECT_FALSE(GifFirstFrame(folder.File("bad.gif")));
  EXPECT_FALSE(GifFirstFrame(folder.File("missing.gif")));
}

TEST(GifFolder, ListsOnlyGifFilesOfTheFolderItself) {
  ScratchFolder folder;
  for (const char* name :
       {"b.GIF", "a.gif", "Z.gif", "c.Gif", ".hidden.gif", "x.y.gif", "pic.png", "nodot"}) {
    testing::WriteTestFile(folder.File(name), {});
  }
  std::filesystem::create_directories(folder.File("sub.gif"));
  testing::WriteTestFile(folder.File("sub.gif/inner.gif"), {});
  EXPECT_EQ(ScanGifFolder(folder.Path()), (std::vector<std::string>{"a.gif", "b.GIF", "Z.gif"}));
}

TEST(GifFolder, TheChoiceSelectsTheLastEqualEntry) {
  const std::string long_name = std::string(126, 'n') + ".gif";  // 130 characters
  const std::vector<std::string> entries{"a.gif", "b.gif", "b.gif", long_name,
                                         long_name.substr(0, 129)};
  struct Case {
    std::string chosen;
    int selected;
  };
  const std::vector<Case> cases{
      {"/pics/a.gif", 0},    {"/pics/b.gif", 2},        {"/pics/B.gif", 0},
      {"/pics/gone.gif", 0}, {"/pics/" + long_name, 4},  // cut to 129 characters before comparing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(SelectedGifEntry(entries, c.chosen), c.selected);
  }
  EXPECT_EQ(SelectedGifEntry({"x.gif", long_name}, "/pics/" + long_name), 0)
      << "a name over 129 characters leaves entry 0 selected";
}

}  // namespace
}  // namespace picture
