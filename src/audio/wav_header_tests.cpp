#include "audio/wav_header.h"

#include <gtest/gtest.h>

#include "audio/wav_messages.h"
#include "audio/wav_test_files.h"

namespace audio {
namespace {

using namespace audio::test;
using platform::Message;

std::vector<std::string> Texts(const WavInfo& info) {
  std::vector<std::string> texts;
  for (const Message& m : info.messages)
    texts.push_back(m.text);
  return texts;
}

TEST(ParseWav, ReadsTheFormatFieldsAndSelectsTheChoices) {
  struct Case {
    int channels, bits;
    int channel_choice, bit_choice;
  } cases[] = {
      {1, 8, kLeftChannel, kEightBits},
      {1, 16, kLeftChannel, kSixteenBits},
      {2, 8, kTwoChannel, kEightBits},
      {2, 16, kTwoChannel, kSixteenBits},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.bits << " bits");
    const Bytes file = PcmWav(c.channels, c.bits, 22050, Counting(8));
    const WavInfo info = ParseWav(file);
    EXPECT_EQ(info.file_size, file.size());
    EXPECT_EQ(info.format_tag, 1);
    EXPECT_EQ(info.channels, c.channels);
    EXPECT_EQ(info.samples_per_sec, 22050u);
    EXPECT_EQ(info.avg_bytes_per_sec, 22050u * c.channels * c.bits / 8);
    EXPECT_EQ(info.bits_per_sample, c.bits);
    EXPECT_EQ(info.channel_choice, c.channel_choice);
    EXPECT_EQ(info.bit_choice, c.bit_choice);
    EXPECT_EQ(info.data_size, 8u);
    EXPECT_EQ(info.data_start, 44u);
    EXPECT_TRUE(info.Convertible());
    EXPECT_TRUE(info.messages.empty());
  }
}

TEST(ParseWav, RefusesOtherChannelCountsAndSampleWidthsChannelMessageFirst) {
  const WavInfo info = ParseWav(PcmWav(3, 24, 8000, Counting(9)));
  EXPECT_EQ(Texts(info), (std::vector<std::string>{"Can't support 3 channels wav files",
                                                   "Can't support 24 BitsPerSample wav files"}));
  EXPECT_EQ(info.bit_choice, kUnknownBits);
  EXPECT_EQ(info.channel_choice, kNoChannel);  // the channel choice stays as it was
  EXPECT_EQ(info.data_size, 9u);
  EXPECT_FALSE(info.Convertible());
}

TEST(ParseWav, WalksFromTheEndOfALongerFormatChunkAndSkipsFactAndList) {
  Bytes file = WavHeader(1, 16, 8000, 18);
  AddChunk(file, "fact", {1, 2, 3, 4});
  AddChunk(file, "LIST", {1, 2, 3});  // odd size, no pad byte
  AddChunk(file, "data", Counting(6));
  const WavInfo info = ParseWav(file);
  EXPECT_EQ(info.data_start, 38u + 12 + 11 + 8);
  EXPECT_EQ(info.data_size, 6u);
  EXPECT_TRUE(info.Convertible());
  EXPECT_TRUE(info.messages.empty());
}

TEST(ParseWav, AnotherChunkIdEndsTheWalk) {
  Bytes junk_first = WavHeader(1, 8, 8000);
  AddChunk(junk_first, "JUNK", {0, 0});
  AddChunk(junk_first, "data", Counting(4));
  const WavInfo no_data = ParseWav(junk_first);
  EXPECT_EQ(Texts(no_data), (std::vector<std::string>{kErrorChunk, kNoDataChunk}));
  EXPECT_FALSE(no_data.Convertible());
  EXPECT_EQ(no_data.data_size, 0u);

  Bytes junk_after = PcmWav(1, 8, 8000, Counting(4));
  AddChunk(junk_after, "JUNK", {0, 0});
  const WavInfo data_stands = ParseWav(junk_after);
  EXPECT_EQ(Texts(data_stands), std::vector<std::string>{kErrorChunk});
  EXPECT_TRUE(data_stands.Convertible());
  EXPECT_EQ(data_stands.data_size, 4u);
}

TEST(ParseWav, CutShortFilesNeverReadPastTheirEnd) {
  struct Case {
    const char* name;
    Bytes file;
    std::vector<std::string> messages;
    std::uint32_t data_size;
    bool convertible;
  };
  const Bytes header = WavHeader(1, 8, 8000);
  Bytes cut_data = WavHeader(2, 16, 8000);
  AddChunk(cut_data, "data", Counting(10), 400);
  Bytes cut_header = PcmWav(1, 8, 8000, Counting(4));
  cut_header.insert(cut_header.end(), {'L', 'I', 'S'});
  Bytes long_list = WavHeader(1, 8, 8000);
  AddChunk(long_list, "LIST", {1}, 0xFFFFFFF0);
  Bytes huge_format = WavHeader(1, 8, 8000);
  huge_format[16] = huge_format[17] = huge_format[18] = huge_format[19] = 0xFF;
  const Case cases[] = {
      {"empty", {}, {kHeaderTooShort}, 0, false},
      {"35 bytes", Bytes(header.begin(), header.begin() + 35), {kHeaderTooShort}, 0, false},
      {"header only", header, {kNoDataChunk}, 0, false},
      {"data chunk cut",
       cut_data,
       {std::string(kDataChunkCut) + "10 of 400 bytes are in the file"},
       10,
       true},
      {"chunk header cut", cut_header, {kChunkHeaderCut}, 4, true},
      {"chunk size past the end", long_list, {kNoDataChunk}, 0, false},
      {"format size past the end", huge_format, {kNoDataChunk}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WavInfo info = ParseWav(c.file);
    EXPECT_EQ(Texts(info), c.messages);
    EXPECT_EQ(info.data_size, c.data_size);
    EXPECT_EQ(info.Convertible(), c.convertible);
  }
}

TEST(LoadWav, AMissingFileCannotBeOpened) {
  const auto info = LoadWav("/nonexistent/folder/a.wav");
  ASSERT_FALSE(info.ok());
  EXPECT_EQ(info.error().text, "打开文件失败!");
}

}  // namespace
}  // namespace audio
