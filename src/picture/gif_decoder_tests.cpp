#include "platform/gif_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "picture/gif_test_writer.h"
#include "platform/decoder_refusals.h"

namespace {

using platform::testing::ExpectRefusals;

using picture::Rgb;
using picture::testing::GifBytes;
using picture::testing::SolidFrame;
using picture::testing::TestGif;
using picture::testing::TestGifFrame;

const std::vector<Rgb> kPalette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};

Rgb PaletteColour(const platform::GifFrame& frame, int index) {
  const auto at = std::size_t(index) * 3;
  return {frame.palette[at], frame.palette[at + 1], frame.palette[at + 2]};
}

TestGif TwoFrameGif() {
  TestGif gif{6, 4, kPalette, {}, true};
  gif.frames.push_back(SolidFrame(0, 0, 6, 4, 0));
  TestGifFrame second = SolidFrame(1, 2, 3, 2, 1);
  second.transparent_index = 3;
  second.local_palette = {{1, 2, 3}, {4, 5, 6}};
  gif.frames.push_back(second);
  return gif;
}

TEST(GifDecoder, ReadsScreenFramesTablesAndTransparency) {
  auto decoded = platform::DecodeGif(GifBytes(TwoFrameGif()));
  ASSERT_TRUE(decoded) << decoded.error().text;
  EXPECT_EQ(decoded->screen_width, 6);
  EXPECT_EQ(decoded->screen_height, 4);
  ASSERT_EQ(decoded->frames.size(), 2u);

  const platform::GifFrame& first = decoded->frames[0];
  EXPECT_EQ(first.transparent_index, -1);
  EXPECT_EQ(first.indexes, std::vector<std::uint8_t>(24, 0));
  EXPECT_EQ(PaletteColour(first, 3), (Rgb{10, 20, 30}));

  const platform::GifFrame& second = decoded->frames[1];
  EXPECT_EQ(second.left, 1);
  EXPECT_EQ(second.top, 2);
  EXPECT_EQ(second.width, 3);
  EXPECT_EQ(second.height, 2);
  EXPECT_EQ(second.transparent_index, 3);
  EXPECT_EQ(PaletteColour(second, 1), (Rgb{4, 5, 6}));
  EXPECT_EQ(PaletteColour(second, 2), (Rgb{0, 0, 0})) << "beyond the local table is black";
}

TEST(GifDecoder, PutsInterlacedRowsInPlace) {
  TestGifFrame frame{0, 0, 2, 11, {}, {}, -1, true};
  for (int y = 0; y < 11; ++y)
    frame.indexes.insert(frame.indexes.end(), {std::uint8_t(y), std::uint8_t(y + 20)});
  TestGif gif{2, 11, kPalette, {frame}, true};
  auto decoded = platform::DecodeGif(GifBytes(gif));
  ASSERT_TRUE(decoded) << decoded.error().text;
  EXPECT_EQ(decoded->frames.at(0).indexes, frame.indexes);
}

TEST(GifDecoder, DropsThePartOfAFrameOutsideTheScreen) {
  TestGifFrame frame{3, 2, 4, 3, {}, {}, -1, false};
  for (int i = 0; i < 12; ++i)
    frame.indexes.push_back(std::uint8_t(i));
  TestGif gif{5, 4, kPalette, {frame, SolidFrame(9, 9, 2, 2, 1)}, true};
  auto decoded = platform::DecodeGif(GifBytes(gif));
  ASSERT_TRUE(decoded) << decoded.error().text;
  const platform::GifFrame& clipped = decoded->frames.at(0);
  EXPECT_EQ(clipped.width, 2);
  EXPECT_EQ(clipped.height, 2);
  EXPECT_EQ(clipped.indexes, (std::vector<std::uint8_t>{0, 1, 4, 5}));
  const platform::GifFrame& outside = decoded->frames.at(1);
  EXPECT_EQ(outside.width * outside.height, 0);
  EXPECT_TRUE(outside.indexes.empty());
}

TEST(GifDecoder, AcceptsFilesWithoutTrailerOrColourTable) {
  TestGif gif = TwoFrameGif();
  gif.trailer = false;
  auto untrailed = platform::DecodeGif(GifBytes(gif));
  ASSERT_TRUE(untrailed) << untrailed.error().text;
  EXPECT_EQ(untrailed->frames.size(), 2u);

  TestGif bare{2, 2, {}, {SolidFrame(0, 0, 2, 2, 1)}, true};
  auto tableless = platform::DecodeGif(GifBytes(bare));
  ASSERT_TRUE(tableless) << tableless.error().text;
  EXPECT_EQ(PaletteColour(tableless->frames.at(0), 1), (Rgb{0, 0, 0}));

  TestGif empty{3, 3, kPalette, {}, true};
  auto frameless = platform::DecodeGif(GifBytes(empty));
  ASSERT_TRUE(frameless) << frameless.error().text;
  EXPECT_TRUE(frameless->frames.empty());
}

TEST(GifDecoder, RefusesAScreenOverTheLimitBeforeDecoding) {
  TestGif gif{65535, 65535, kPalette, {SolidFrame(0, 0, 1, 1, 0)}, true};
  auto decoded = platform::DecodeGif(GifBytes(gif));
  ASSERT_FALSE(decoded);
  EXPECT_EQ(decoded.error().text,
            "GIF: the logical screen of 65535 x 65535 pixels is larger than 268435456 pixels");
}

TEST(GifDecoder, RefusesAFrameRectangleOverTheLimit) {
  std::vector<std::uint8_t> bytes =
      GifBytes(TestGif{4, 4, kPalette, {SolidFrame(0, 0, 1, 1, 0)}, true});
  // The frame's width and height fields follow its left and top fields.
  const std::size_t descriptor = 6 + 7 + 4 * 3;
  ASSERT_EQ(bytes[descriptor], 0x2C);
  for (std::size_t i = descriptor + 5; i < descriptor + 9; ++i)
    bytes[i] = 0xFF;
  auto decoded = platform::DecodeGif(bytes);
  ASSERT_FALSE(decoded);
  EXPECT_EQ(decoded.error().text, "GIF: the frames are too large");
}

// The frame rectangle's width and height fields of the first frame, after its left and
// top fields.
std::vector<std::uint8_t> WithFirstFrameSize(std::vector<std::uint8_t> bytes, int width,
                                             int height) {
  const std::size_t size_field = 6 + 7 + 4 * 3 + 5;
  bytes[size_field] = static_cast<std::uint8_t>(width);
  bytes[size_field + 1] = static_cast<std::uint8_t>(width >> 8);
  bytes[size_field + 2] = static_cast<std::uint8_t>(height);
  bytes[size_field + 3] = static_cast<std::uint8_t>(height >> 8);
  return bytes;
}

TEST(GifDecoder, RefusesWhatTheImageDataCouldNeverDraw) {
  TestGif wide_screen{16384, 16384, kPalette, {}, true};
  for (int i = 0; i < 6; ++i)
    wide_screen.frames.push_back(SolidFrame(i, 0, 1, 1, 0));
  TestGif half_covered{1100, 1000, kPalette, {SolidFrame(0, 0, 1100, 499, 1)}, true};
  std::vector<std::uint8_t> cut =
      GifBytes(TestGif{8, 8, kPalette, {SolidFrame(0, 0, 8, 8, 1)}, true});
  cut.resize(cut.size() - 40);
  ExpectRefusals(
      {
          {"16384 x 16384 screen with six 1 x 1 frames", GifBytes(wide_screen),
           "GIF: the frames draw at most 6 of the logical screen's 16384 x 16384 pixels (a screen "
           "over 1048576 pixels must be covered by its frames)"},
          {"screen half covered", GifBytes(half_covered),
           "GIF: the frames draw at most 548900 of the logical screen's 1100 x 1000 pixels (a "
           "screen "
           "over 1048576 pixels must be covered by its frames)"},
          {"4096 x 4096 frame over three bytes of image data",
           WithFirstFrameSize(GifBytes(TestGif{4, 4, kPalette, {SolidFrame(0, 0, 1, 1, 0)}, true}),
                              4096, 4096),
           "GIF: frame 1 of 4096 x 4096 pixels cannot come from 3 bytes of image data (an LZW code "
           "of "
           "12 bits gives at most 4096 pixels)"},
          {"frame whose image data is cut short", cut, "GIF: Failed to read from given file"},
      },
      platform::DecodeGif);
}

TEST(GifDecoder, ScreensUpToTheFreeSizeOrCoveredByTheirFramesLoad) {
  struct Case {
    const char* name;
    TestGif gif;
  } cases[] = {
      {"1024 x 1024 screen with one 1 x 1 frame",
       TestGif{1024, 1024, kPalette, {SolidFrame(0, 0, 1, 1, 0)}, true}},
      {"1100 x 1000 screen covered by two frames",
       TestGif{1100,
               1000,
               kPalette,
               {SolidFrame(0, 0, 1100, 500, 1), SolidFrame(0, 500, 1100, 500, 2)},
               true}},
      {"screen without frames", TestGif{1024, 1024, kPalette, {}, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = platform::DecodeGif(GifBytes(c.gif));
    ASSERT_TRUE(decoded) << decoded.error().text;
    EXPECT_EQ(decoded->frames.size(), c.gif.frames.size());
  }
}

TEST(GifDecoder, MalformedFilesGiveErrorsNotCrashes) {
  const std::vector<std::uint8_t> valid = GifBytes(TwoFrameGif());
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases{
      {"empty", {}},
      {"not a GIF", {'P', 'N', 'G', 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"signature only", {'G', 'I', 'F', '8', '9', 'a'}},
  };
  std::vector<std::uint8_t> bad_record = valid;
  bad_record[6 + 7 + 4 * 3] = 0x77;
  cases.push_back({"unknown record", bad_record});
  std::vector<std::uint8_t> bad_code_size = valid;
  bad_code_size[6 + 7 + 4 * 3 + 10] = 0x0C;
  cases.push_back({"code size 12", bad_code_size});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = platform::DecodeGif(c.bytes);
    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error().text.rfind("GIF: ", 0), 0u) << decoded.error().text;
  }
}

TEST(GifDecoder, EveryTruncationEndsInAResult) {
  const std::vector<std::uint8_t> valid = GifBytes(TwoFrameGif());
  std::vector<std::size_t> frames_at_record_ends;
  for (std::size_t length = 0; length < valid.size(); ++length) {
    SCOPED_TRACE(length);
    auto decoded = platform::DecodeGif(std::span(valid.data(), length));
    if (decoded)
      frames_at_record_ends.push_back(decoded->frames.size());
  }
  // A cut is forgiven only between records: after the screen, after frame 0, after the
  // control extension of frame 1, and where the trailer is missing.
  EXPECT_EQ(frames_at_record_ends, (std::vector<std::size_t>{0, 1, 1, 2}));
}

TEST(GifDecoder, MutatedFilesNeverBreakTheDecoder) {
  TestGif gif = TwoFrameGif();
  gif.frames[1].interlaced = true;
  const std::vector<std::uint8_t> valid = GifBytes(gif);
  std::mt19937 random(20261210);
  std::uniform_int_distribution<std::size_t> position(0, valid.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> mutated = valid;
    const int changes = 1 + round % 4;
    for (int i = 0; i < changes; ++i)
      mutated[position(random)] = static_cast<std::uint8_t>(byte(random));
    auto decoded = platform::DecodeGif(mutated);
    if (!decoded)
      continue;
    for (const platform::GifFrame& frame : decoded->frames) {
      ASSERT_LE(frame.left + frame.width, decoded->screen_width);
      ASSERT_LE(frame.top + frame.height, decoded->screen_height);
      ASSERT_EQ(frame.indexes.size(), std::size_t(frame.width) * std::size_t(frame.height));
    }
  }
}

}  // namespace
