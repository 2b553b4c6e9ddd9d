#include "audio/pcm_output.h"

#include <gtest/gtest.h>

#include "audio/wav_messages.h"
#include "audio/wav_test_files.h"

namespace audio {
namespace {

using namespace audio::test;

// A parsed file with the choices loading made.
struct Loaded {
  Bytes file;
  WavInfo info;
};

Loaded Load(int channels, int bits, const Bytes& samples) {
  Loaded loaded{PcmWav(channels, bits, 22050, samples), {}};
  loaded.info = ParseWav(loaded.file);
  return loaded;
}

Bytes Convert(const Loaded& wav, OutputChoice choice) {
  const auto out = ConvertPcm(wav.file, wav.info, choice);
  EXPECT_TRUE(out.ok()) << (out.ok() ? "" : out.error().text);
  return out.ok() ? *out : Bytes{};
}

TEST(ComputeOutputSize, FollowsChannelBitAndSpeedChoices) {
  struct Case {
    int channels, bits;
    std::uint32_t data_size;
    OutputChoice choice;
    std::uint64_t expected;
    bool warning;
  } cases[] = {
      {2, 16, 40000, {kLeftChannel, kEightBits, 1}, 5000, false},
      {2, 16, 40000, {kTwoChannel, kSixteenBits, 0}, 40000, false},
      {2, 16, 40000, {kRightChannel, kSixteenBits, 0}, 20000, false},
      {2, 16, 40000, {kNoChannel, kSixteenBits, 0}, 20000, false},
      {1, 16, 6, {kLeftChannel, kSixteenBits, 1}, 3, false},
      {1, 8, 8001, {kLeftChannel, kEightBits, 2}, 2000, false},
      {2, 8, 10, {kTwoChannel, kSixteenBits, 0}, 20, true},
      {2, 8, 10, {kTwoChannel, kUnknownBits, 0}, 20, true},
      {1, 8, 100, {kLeftChannel, kEightBits, 4}, 6, false},
      {1, 8, 100, {kLeftChannel, kEightBits, -1}, 100, false},
      {1, 8, 3, {kLeftChannel, kEightBits, 3}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.bits << "bit D=" << c.data_size
                                    << " speed " << c.choice.speed);
    WavInfo info;
    info.channels = static_cast<std::uint16_t>(c.channels);
    info.bits_per_sample = static_cast<std::uint16_t>(c.bits);
    info.data_size = c.data_size;
    const OutputSize size = ComputeOutputSize(info, c.choice);
    EXPECT_EQ(size.bytes, c.expected);
    EXPECT_EQ(size.warning.has_value(), c.warning);
    if (c.warning) {
      EXPECT_EQ(*size.warning, "8bits wav files,Please didn't select 16bits bin data");
    }
  }
}

TEST(ConvertPcm, TakesTheBytesOfEachSourceAndChoice) {
  // Two frames of counting bytes; the frame size decides where each sample sits.
  struct Case {
    int channels, bits, channel, bit_choice;
    Bytes expected;
  } cases[] = {
      {2, 16, kLeftChannel, kSixteenBits, {0, 1, 4, 5}},
      {2, 16, kRightChannel, kSixteenBits, {2, 3, 6, 7}},
      {2, 16, kTwoChannel, kSixteenBits, {0, 1, 2, 3, 4, 5, 6, 7}},
      {2, 16, kLeftChannel, kEightBits, {1, 5}},
      {2, 16, kRightChannel, kEightBits, {3, 7}},
      {2, 16, kTwoChannel, kEightBits, {1, 3, 5, 7}},
      {1, 16, kLeftChannel, kSixteenBits, {0, 1, 2, 3}},
      {1, 16, kRightChannel, kEightBits, {1, 3}},
      {2, 8, kLeftChannel, kEightBits, {0, 2}},
      {2, 8, kRightChannel, kEightBits, {1, 3}},
      {2, 8, kTwoChannel, kEightBits, {0, 1, 2, 3}},
      {1, 8, kRightChannel, kEightBits, {0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.bits << "bit channel " << c.channel
                                    << " bits " << c.bit_choice);
    const Loaded wav = Load(c.channels, c.bits, Counting(2 * c.channels * c.bits / 8));
    EXPECT_EQ(Convert(wav, {c.channel, c.bit_choice, 0}), c.expected);
  }
}

TEST(ConvertPcm, StereoHighBytesOfTheLeftSampleAtHalfSpeed) {
  const Loaded wav = Load(2, 16, Counting(40000));
  const Bytes out = Convert(wav, {kLeftChannel, kEightBits, 1});
  ASSERT_EQ(out.size(), 5000u);
  for (std::size_t k = 0; k < out.size(); ++k) {
    const std::size_t frame = 2 * k;  // frames 0, 2, 4 ... 9998
    ASSERT_EQ(out[k], static_cast<std::uint8_t>(frame * 4 + 1)) << "output byte " << k;
  }
}

TEST(ConvertPcm, CutsTheLastSampleToTheOutputSize) {
  const Loaded mono = Load(1, 16, {0x11, 0x12, 0x21, 0x22, 0x31, 0x32});
  EXPECT_EQ(Convert(mono, {kLeftChannel, kSixteenBits, 1}), (Bytes{0x11, 0x12, 0x31}));

  const Loaded eight = Load(1, 8, Counting(8001));
  const Bytes out = Convert(eight, {kLeftChannel, kEightBits, 2});
  ASSERT_EQ(out.size(), 2000u);
  EXPECT_EQ(out.back(), static_cast<std::uint8_t>(7996));  // not the sample at 8000
}

TEST(ConvertPcm, HighBytesAreSignedAsStored) {
  const Loaded wav = Load(1, 16, {0x00, 0x80, 0xFF, 0x7F});
  EXPECT_EQ(Convert(wav, {kLeftChannel, kEightBits, 0}), (Bytes{0x80, 0x7F}));
}

TEST(ConvertPcm, RefusesChoicesItCannotServe) {
  struct Case {
    int channels, bits;
    OutputChoice choice;
    const char* message;
  } cases[] = {
      {2, 16, {kTwoChannel, kUnknownBits, 0}, "Can't suport this bits"},
      {1, 16, {kTwoChannel, kSixteenBits, 0}, "Don't support this format!"},
      {2, 16, {kNoChannel, kSixteenBits, 0}, "Don't support this format!"},
      {1,
       8,
       {kLeftChannel, kSixteenBits, 0},
       "8bits wav files,Please didn't select 16bits bin data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const Loaded wav = Load(c.channels, c.bits, Counting(16));
    const auto out = ConvertPcm(wav.file, wav.info, c.choice);
    ASSERT_FALSE(out.ok());
    EXPECT_EQ(out.error().text, c.message);
  }
}

TEST(ConvertPcm, AFileWithoutDataIsNotConverted) {
  Bytes file = WavHeader(1, 8, 8000);
  AddChunk(file, "JUNK", {});
  AddChunk(file, "data", Counting(4));
  const auto out = ConvertPcm(file, ParseWav(file), {kLeftChannel, kEightBits, 0});
  ASSERT_FALSE(out.ok());
  EXPECT_EQ(out.error().text, kNoDataChunk);
}

TEST(ConvertPcm, UsesOnlyTheBytesThatAreThere) {
  // Parsed long, read again short: the samples stop at the end of the file.
  const Loaded wav = Load(1, 8, Counting(100));
  const Bytes shorter(wav.file.begin(), wav.file.begin() + 44 + 10);
  const auto out = ConvertPcm(shorter, wav.info, {kLeftChannel, kEightBits, 0});
  ASSERT_TRUE(out.ok());
  EXPECT_EQ(*out, Counting(10));

  const Bytes header_only(wav.file.begin(), wav.file.begin() + 40);
  const auto none = ConvertPcm(header_only, wav.info, {kLeftChannel, kEightBits, 0});
  ASSERT_TRUE(none.ok());
  EXPECT_TRUE(none->empty());
}

TEST(ConvertPcm, ReportsProgressUpToTheEnd) {
  const Loaded wav = Load(1, 8, Counting(1000));
  std::vector<int> reports;
  const auto out = ConvertPcm(wav.file, wav.info, {kLeftChannel, kEightBits, 0},
                              [&reports](int percent) { reports.push_back(percent); });
  ASSERT_TRUE(out.ok());
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), 100);
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
}

}  // namespace
}  // namespace audio

namespace audio {
namespace {

// Every prefix of a file with skipped chunks and odd sizes, converted with every choice:
// nothing is read past the end (run under the sanitizer build to see it), and the output
// never holds more than the data chunk offers.
TEST(ConvertPcm, EveryCutOfAFileIsSafe) {
  for (const int channels : {1, 2}) {
    for (const int bits : {8, 16}) {
      Bytes whole = WavHeader(channels, bits, 8000, 18);
      AddChunk(whole, "fact", {1, 2, 3});
      AddChunk(whole, "LIST", {});
      AddChunk(whole, "data", Counting(37));
      for (std::size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE(testing::Message()
                     << channels << "ch " << bits << "bit, " << size << " bytes");
        const Bytes file(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        const WavInfo info = ParseWav(file);
        if (info.data_found) {
          ASSERT_LE(info.data_start + info.data_size, file.size());
        }
        for (int channel = -1; channel <= 2; ++channel) {
          for (int bit_choice = -1; bit_choice <= 2; ++bit_choice) {
            for (int speed = -1; speed <= 5; ++speed) {
              const auto out = ConvertPcm(file, info, {channel, bit_choice, speed});
              if (out.ok()) {
                ASSERT_LE(out->size(), info.data_size);
              }
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace audio
