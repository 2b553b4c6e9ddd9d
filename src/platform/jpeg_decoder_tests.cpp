#include <gtest/gtest.h>

#include <algorithm>

#include "picture_writer.h"
#include "platform/decoder_refusals.h"
#include "platform/picture_decoders.h"

namespace platform {
namespace {

using platform::testing::ExpectRefusals;

using Bytes = std::vector<std::uint8_t>;

Bytes Samples(int width, int height) {
  Bytes samples(std::size_t(width) * height * 3);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::uint8_t>(i * 7 % 251);
  return samples;
}

Bytes Jpeg(bool progressive) {
  return tools::EncodeJpeg(48, 32, Samples(48, 32), false, progressive, 90);
}

// Where a marker's segment starts, or the file's end.
std::size_t Find(const Bytes& file, std::initializer_list<std::uint8_t> markers) {
  for (std::size_t i = 0; i + 1 < file.size(); ++i) {
    if (file[i] == 0xFF && std::find(markers.begin(), markers.end(), file[i + 1]) != markers.end())
      return i;
  }
  return file.size();
}

// The same file with its frame header claiming another size.
Bytes Claiming(Bytes file, int width, int height) {
  const std::size_t frame = Find(file, {0xC0, 0xC2});
  file[frame + 5] = static_cast<std::uint8_t>(height >> 8);
  file[frame + 6] = static_cast<std::uint8_t>(height);
  file[frame + 7] = static_cast<std::uint8_t>(width >> 8);
  file[frame + 8] = static_cast<std::uint8_t>(width);
  return file;
}

// The file cut halfway through the scan data of its first scan.
Bytes CutInScan(Bytes file) {
  const std::size_t scan = Find(file, {0xDA});
  const std::size_t next =
      Find(Bytes(file.begin() + std::ptrdiff_t(scan) + 2, file.end()), {0xC4, 0xDA, 0xD9});
  file.resize(scan + 2 + next / 2);
  return file;
}

Bytes Cut(Bytes file, std::size_t drop) {
  file.resize(file.size() - drop);
  return file;
}

Bytes Inserted(Bytes file, std::size_t at, const Bytes& bytes) {
  file.insert(file.begin() + std::ptrdiff_t(at), bytes.begin(), bytes.end());
  return file;
}

TEST(JpegDecoder, HarmlessOdditiesStillLoad) {
  const Bytes plain = Jpeg(false);
  const std::size_t end = plain.size() - 2;
  Bytes trailing = plain;
  trailing.insert(trailing.end(), 300, 0x5A);
  struct Case {
    const char* name;
    Bytes file;
  } cases[] = {
      {"baseline", plain},
      {"progressive", Jpeg(true)},
      {"bytes after the end marker", trailing},
      {"stray bytes before the end marker", Inserted(plain, end, {1, 2, 3})},
      {"no end marker after the whole scan", Cut(plain, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto decoded = DecodeJpeg(c.file);
    ASSERT_TRUE(decoded) << decoded.error().text;
    EXPECT_EQ(decoded->width, 48);
    EXPECT_EQ(decoded->rgb.size(), std::size_t(48) * 32 * 3);
  }
}

TEST(JpegDecoder, MissingOrDamagedScanDataFailsWithTheDecodersReason) {
  const Bytes plain = Jpeg(false);
  // Stuffed 0xFF bytes read as a run of one bits, which no Huffman code has.
  Bytes damaged = plain;
  const std::size_t scan = Find(plain, {0xDA}) + 20;
  for (std::size_t i = scan; i < scan + 40; i += 2) {
    damaged[i] = 0xFF;
    damaged[i + 1] = 0x00;
  }
  ExpectRefusals(
      {
          {"baseline cut inside its scan", CutInScan(plain), "JPEG: Premature end of JPEG file"},
          {"progressive cut inside its first scan", CutInScan(Jpeg(true)),
           "JPEG: Premature end of JPEG file"},
          {"header claiming rows the scan lacks", Claiming(plain, 4000, 65500),
           "JPEG: Corrupt JPEG data: premature end of data segment"},
          {"damaged Huffman data", damaged, "JPEG: Corrupt JPEG data: bad Huffman code"},
          {"progressive header claiming 4000 x 65500", Claiming(Jpeg(true), 4000, 65500),
           "JPEG: the picture needs more than 256 MiB of decoder memory"},
          {"over the picture limit", Claiming(plain, 65000, 65000), "JPEG: picture too large"},
          {"start marker only", Bytes{0xFF, 0xD8}, "JPEG: Premature end of JPEG file"},
          // Its scans are all read before the first row, so a missing end marker cannot be told
          // from missing scans.
          {"progressive without its end marker", Cut(Jpeg(true), 2),
           "JPEG: Premature end of JPEG file"},
      },
      DecodeJpeg);
}

TEST(JpegDecoder, DimensionsComeFromTheHeaderAlone) {
  const auto plain = JpegDimensions(Jpeg(false));
  ASSERT_TRUE(plain) << plain.error().text;
  EXPECT_EQ(plain->width, 48);
  EXPECT_EQ(plain->height, 32);
  const auto claimed = JpegDimensions(CutInScan(Claiming(Jpeg(true), 4000, 65500)));
  ASSERT_TRUE(claimed) << claimed.error().text;
  EXPECT_EQ(claimed->width, 4000);
  EXPECT_EQ(claimed->height, 65500);
  EXPECT_FALSE(JpegDimensions(Bytes{0xFF, 0xD8, 0xFF}));
}

}  // namespace
}  // namespace platform
