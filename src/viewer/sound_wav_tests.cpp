#include "viewer/sound_wav.h"

#include <gtest/gtest.h>

#include "audio/sound_resource.h"
#include "audio/wav_header.h"

namespace viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ListingBytes(const audio::ListingFields& fields) {
  std::string text;
  for (const std::string& line : audio::SoundListingLines(fields))
    text += line + "\r\n";
  return Bytes(text.begin(), text.end());
}

TEST(SoundWav, ListingOfTheWavToolGivesTheFormat) {
  struct Case {
    int channel, bits, speed;
    std::uint32_t rate;
    SoundFormat format;
  } cases[] = {
      {audio::kLeftChannel, audio::kEightBits, 0, 8000, {1, 8, 8000, true}},
      {audio::kTwoChannel, audio::kSixteenBits, 0, 44100, {2, 16, 44100, true}},
      {audio::kRightChannel, audio::kSixteenBits, 2, 22050, {1, 16, 5512, true}},  // 1:4
  };
  for (const Case& c : cases) {
    audio::ListingFields fields;
    fields.wav_name = "C:\\snd\\beep.wav";
    fields.choice.channel = c.channel;
    fields.choice.bits = c.bits;
    fields.choice.speed = c.speed;
    fields.samples_per_sec = c.rate;
    fields.bin_size = 1234;
    EXPECT_EQ(ReadSoundListing(ListingBytes(fields)), c.format);
  }
  const std::string other = "{1, 2, 0x0, 0x4},//a.png\r\n";
  EXPECT_EQ(ReadSoundListing(Bytes(other.begin(), other.end())), std::nullopt);
  EXPECT_EQ(ReadSoundListing(Bytes{}), std::nullopt);
}

TEST(SoundWav, WavHoldsTheSamplesUnchanged) {
  struct Case {
    SoundFormat format;
    Bytes samples;
    bool signed_8;
    Bytes data;
  } cases[] = {
      {{1, 8, 8000}, {0x00, 0x7F, 0x80, 0xFF}, false, {0x00, 0x7F, 0x80, 0xFF}},
      {{1, 8, 8000}, {0x00, 0x7F, 0x80, 0xFF}, true, {0x80, 0xFF, 0x00, 0x7F}},
      {{2, 16, 22050}, {0x01, 0x80, 0xFF, 0x7F}, true, {0x01, 0x80, 0xFF, 0x7F}},  // 16-bit kept
      {{1, 16, 8000}, {0x01, 0x02, 0x03}, false, {0x01, 0x02, 0x03}},  // odd: padded chunk
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format.channels << " ch " << c.format.bits << " bits");
    const Bytes wav = PcmWav(c.samples, c.format, c.signed_8);
    EXPECT_EQ(wav.size() % 2, 0u);
    // The WAV tool's own reader takes it as written.
    const audio::WavInfo info = audio::ParseWav(wav);
    EXPECT_TRUE(info.Convertible());
    EXPECT_EQ(info.channels, c.format.channels);
    EXPECT_EQ(info.bits_per_sample, c.format.bits);
    EXPECT_EQ(info.samples_per_sec, c.format.rate);
    EXPECT_EQ(info.avg_bytes_per_sec, c.format.rate * c.format.channels * c.format.bits / 8);
    ASSERT_EQ(info.data_size, c.data.size());
    EXPECT_EQ(Bytes(wav.begin() + std::ptrdiff_t(info.data_start),
                    wav.begin() + std::ptrdiff_t(info.data_start + info.data_size)),
              c.data);
  }
}

}  // namespace
}  // namespace viewer
