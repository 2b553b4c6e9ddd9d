#include <gtest/gtest.h>

#include <spng.h>

#include "picture_writer.h"
#include "platform/decoder_refusals.h"
#include "platform/picture_decoders.h"
#include "png_chunks.h"

namespace platform {
namespace {

using platform::testing::ExpectRefusals;
using tools::png::Bytes;
using tools::png::Chunk;
using tools::png::File;
using tools::png::FilteredRows;
using tools::png::Header;
using tools::png::WithBadChecksum;
using tools::png::Zlib;

// A 4 x 3 RGB picture's chunks.
const Bytes kHeader = Header(4, 3);
const Bytes kImage = Chunk("IDAT", Zlib(FilteredRows(4, 3, 24)));
const Bytes kEnd = Chunk("IEND", {});
const Bytes kText = Chunk("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'a'});

// The image data split after `at` bytes, over two chunks.
std::vector<Bytes> SplitImage(std::size_t at) {
  const Bytes stream = Zlib(FilteredRows(4, 3, 24));
  return {Chunk("IDAT", Bytes(stream.begin(), stream.begin() + std::ptrdiff_t(at))),
          Chunk("IDAT", Bytes(stream.begin() + std::ptrdiff_t(at), stream.end()))};
}

Bytes Cut(Bytes file, std::size_t drop) {
  file.resize(file.size() - drop);
  return file;
}

TEST(PngDecoder, HarmlessOdditiesStillLoad) {
  const std::vector<Bytes> split = SplitImage(5);
  struct Case {
    const char* name;
    Bytes file;
  } cases[] = {
      {"plain", File({kHeader, kImage, kEnd})},
      {"ancillary chunk with a bad checksum before the image data",
       File({kHeader, WithBadChecksum(kText), kImage, kEnd})},
      {"ancillary chunk with a bad checksum after the image data",
       File({kHeader, kImage, WithBadChecksum(kText), kEnd})},
      {"bytes after the end chunk", Cut(File({kHeader, kImage, kEnd, kText}), 3)},
      {"no end chunk after whole image data", File({kHeader, kImage})},
      {"image data over two chunks and an empty one",
       File({kHeader, split[0], split[1], Chunk("IDAT", {}), kEnd})},
      {"interlaced",
       File({Header(5, 5, 2, true), Chunk("IDAT", Zlib(FilteredRows(5, 5, 24, true))), kEnd})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto decoded = DecodePng(c.file);
    ASSERT_TRUE(decoded) << decoded.error().text;
    EXPECT_EQ(decoded->rgb.size(), std::size_t(decoded->width) * decoded->height * 3);
    EXPECT_EQ(decoded->rgb.back(), decoded->height - 1) << "every row arrived";
  }
}

TEST(PngDecoder, DamagedOrMissingDataFailsWithTheReason) {
  const std::vector<Bytes> split = SplitImage(5);
  const Bytes whole = File({kHeader, kImage, kEnd});
  const std::size_t end_chunk = kEnd.size();
  ExpectRefusals(
      {
          {"header checksum", File({WithBadChecksum(kHeader), kImage, kEnd}),
           "PNG: invalid chunk checksum"},
          {"image data checksum", File({kHeader, WithBadChecksum(kImage), kEnd}),
           "PNG: invalid chunk checksum"},
          {"checksum of the second image data chunk",
           File({kHeader, split[0], WithBadChecksum(split[1]), kEnd}),
           "PNG: invalid chunk checksum"},
          {"end chunk checksum", File({kHeader, kImage, WithBadChecksum(kEnd)}),
           "PNG: invalid chunk checksum"},
          {"palette checksum",
           File({Header(4, 3, 3), WithBadChecksum(Chunk("PLTE", {0, 0, 0})),
                 Chunk("IDAT", Zlib(FilteredRows(4, 3, 8))), kEnd}),
           "PNG: invalid chunk checksum"},
          {"cut inside the image data checksum", Cut(whole, end_chunk + 2), "PNG: end of stream"},
          {"cut inside the image data", Cut(whole, end_chunk + 10), "PNG: end of stream"},
          {"deflate stream ending before the last row",
           File({kHeader, Chunk("IDAT", Zlib(FilteredRows(4, 2, 24))), kEnd}),
           "PNG: IDAT stream too short"},
          {"unknown critical chunk after the image data",
           File({kHeader, kImage, Chunk("CRIT", {}), kEnd}), "PNG: unknown critical chunk"},
      },
      DecodePng);
}

TEST(PngDecoder, RefusesAHeaderItsImageDataCannotFill) {
  ExpectRefusals(
      {
          {"16384 x 16384 over 100 bytes",
           File({Header(16384, 16384), Chunk("IDAT", Zlib(Bytes(100))), kEnd}),
           "PNG: 16384 x 16384 pixels cannot come from 111 bytes of image data (deflate expands at "
           "most 1032 times)"},
          {"interlaced, no end chunk",
           File({Header(8192, 8192, 6, true), Chunk("IDAT", Zlib(Bytes(9)))}),
           "PNG: 8192 x 8192 pixels cannot come from 20 bytes of image data (deflate expands at "
           "most "
           "1032 times)"},
          {"image data chunk cut short",
           Cut(File({Header(4096, 4096, 0), Chunk("IDAT", Zlib(Bytes(40000)))}), 39000),
           "PNG: 4096 x 4096 pixels cannot come from 1015 bytes of image data (deflate expands at "
           "most "
           "1032 times)"},
          {"no image data", File({Header(2, 2), kEnd}),
           "PNG: 2 x 2 pixels cannot come from 0 bytes of image data (deflate expands at most 1032 "
           "times)"},
          {"over the picture limit", File({Header(1 << 15, 1 << 14), kImage, kEnd}),
           "PNG: picture too large"},
      },
      DecodePng);
}

TEST(PngDecoder, APictureCompressedAsFarAsDeflateGoesStillLoads) {
  const Bytes file = tools::EncodePng({2048, 2048, 0, 8, Bytes(2048 * 2048), {}});
  ASSERT_LT(file.size(), 2048u * 2049 / 1000) << "compressed about a thousand times";
  const auto decoded = DecodePng(file);
  ASSERT_TRUE(decoded) << decoded.error().text;
  EXPECT_EQ(decoded->width, 2048);
}

// The picture as spng itself expands it to RGB.
Bytes SpngRgb(const Bytes& file) {
  spng_ctx* context = spng_ctx_new(0);
  spng_set_png_buffer(context, file.data(), file.size());
  std::size_t size = 0;
  spng_decoded_image_size(context, SPNG_FMT_RGB8, &size);
  Bytes rgb(size);
  EXPECT_EQ(spng_decode_image(context, rgb.data(), size, SPNG_FMT_RGB8, 0), 0);
  spng_ctx_free(context);
  return rgb;
}

TEST(PngDecoder, PackedGreyAndPaletteSamplesGiveSpngsOwnColours) {
  // Up to three entries: a 2- or 4-bit index can point past the palette's end.
  const Bytes colours{10, 20, 30, 40, 50, 60, 70, 80, 90};
  for (const int colour_type : {0, 3}) {
    for (const int depth : {1, 2, 4}) {
      for (const bool interlaced : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "colour type " << colour_type << ", " << depth
                                          << " bits, interlaced " << interlaced);
        std::vector<Bytes> chunks{Header(13, 11, colour_type, interlaced, depth)};
        if (colour_type == 3) {
          const std::size_t entries = depth == 1 ? 2 : 3;
          chunks.push_back(Chunk("PLTE", Bytes(colours.begin(), colours.begin() + 3 * entries)));
        }
        chunks.push_back(Chunk("IDAT", Zlib(FilteredRows(13, 11, depth, interlaced))));
        chunks.push_back(kEnd);
        const Bytes file = File(chunks);
        const auto decoded = DecodePng(file);
        ASSERT_TRUE(decoded) << decoded.error().text;
        EXPECT_EQ(decoded->rgb, SpngRgb(file));
      }
    }
  }
}

TEST(PngDecoder, DimensionsComeFromTheHeaderAlone) {
  const auto small = PngDimensions(File({kHeader, kImage, kEnd}));
  ASSERT_TRUE(small) << small.error().text;
  EXPECT_EQ(small->width, 4);
  EXPECT_EQ(small->height, 3);
  const auto claimed = PngDimensions(File({Header(16384, 16000), Chunk("IDAT", Zlib({}))}));
  ASSERT_TRUE(claimed) << claimed.error().text;
  EXPECT_EQ(claimed->width, 16384);
  EXPECT_EQ(claimed->height, 16000);
  EXPECT_FALSE(PngDimensions(Bytes{'n', 'o'}));
}

}  // namespace
}  // namespace platform
