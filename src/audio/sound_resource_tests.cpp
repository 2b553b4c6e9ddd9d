#include "audio/sound_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "audio/wav_messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace audio {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "sound-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  [[nodiscard]] std::string operator/(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  fs::path path_;
};

std::string Text(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

TEST(SoundListingLines, RecordsTheSampleFormat) {
  struct Case {
    ListingFields fields;
    Lines expected;
  } cases[] = {
      {{"D:/snd/beep.wav", {kLeftChannel, kSixteenBits, 2}, 22050, 5000},
       {"{    //D:/snd/beep.wav", "1,   //Sound channel number", "16,  //16bits every sample",
        "5512,//Samples number per-second", "5000//The bytes of Bin_File_Data_Size ", "};"}},
      {{"", {kTwoChannel, kEightBits, 0}, 8000, 0},
       {"{    //", "2,   //Sound channel number", "8,   //8bits every sample",
        "8000,//Samples number per-second", "0//The bytes of Bin_File_Data_Size ", "};"}},
      {{"x", {kNoChannel, kUnknownBits, -1}, 44100, 7},
       {"{    //x", "1,   //Sound channel number", "16,  //16bits every sample",
        "44100,//Samples number per-second", "7//The bytes of Bin_File_Data_Size ", "};"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected[3]);
    EXPECT_EQ(SoundListingLines(c.fields), c.expected);
  }
}

TEST(WriteSoundResource, WritesTheSamplesAndTheListingBesideThem) {
  TempFolder folder;
  const std::string bin = folder / "Wav-beep.bin";
  const platform::Message done =
      WriteSoundResource(bin, Bytes{1, 2, 3}, {"{    //a", "};"}, platform::CodePage::Gbk936);
  EXPECT_EQ(done, platform::Done("OK"));
  EXPECT_EQ(platform::ReadFileBytes(bin), (Bytes{1, 2, 3}));
  EXPECT_EQ(Text(*platform::ReadFileBytes(folder / "Wav-beep-Addr.txt")), "{    //a\r\n};\r\n");
}

TEST(WriteSoundResource, ANameHoldingBinInAFolderKeepsItsListingBesideThatFolder) {
  TempFolder folder;
  fs::create_directory(folder / "snd.bin");
  const auto bin = platform::OutputPathFor(folder / "snd.bin/Wav-x");
  ASSERT_TRUE(bin.ok());
  EXPECT_EQ(*bin, folder / "snd.bin/Wav-x");
  EXPECT_EQ(WriteSoundResource(*bin, Bytes{9}, {"};"}, platform::CodePage::Gbk936).text, "OK");
  EXPECT_EQ(platform::ReadFileBytes(folder / "snd.bin/Wav-x"), Bytes{9});
  EXPECT_TRUE(platform::FileExists(folder / "snd-Addr.txt"));
}

TEST(WriteSoundResource, ASecondRunReplacesTheFirst) {
  TempFolder folder;
  const std::string bin = folder / "Wav-a.bin";
  ASSERT_EQ(WriteSoundResource(bin, Bytes(1000, 7), {"1"}, platform::CodePage::Gbk936).text, kOk);
  ASSERT_EQ(WriteSoundResource(bin, Bytes(3, 5), {"2"}, platform::CodePage::Gbk936).text, kOk);
  EXPECT_EQ(platform::ReadFileBytes(bin), Bytes(3, 5));
  EXPECT_EQ(Text(*platform::ReadFileBytes(folder / "Wav-a-Addr.txt")), "2\r\n");
}

TEST(WriteSoundResource, AFileThatCannotBeWritten) {
  TempFolder folder;
  const platform::Message failed =
      WriteSoundResource(folder / "missing/Wav-a.bin", Bytes{1}, {}, platform::CodePage::Gbk936);
  EXPECT_EQ(failed, platform::Error("The file might not be accessibl."));

  // The listing cannot replace a folder of its name: the bin file written first stays.
  fs::create_directory(folder / "Wav-b-Addr.txt");
  EXPECT_EQ(WriteSoundResource(folder / "Wav-b.bin", Bytes{1}, {}, platform::CodePage::Gbk936),
            platform::Error(kFileNotAccessible));
  EXPECT_EQ(platform::ReadFileBytes(folder / "Wav-b.bin"), Bytes{1});
}

TEST(WriteSoundResource, TheListingIsInTheTextCodePage) {
  TempFolder folder;
  const std::string bin = folder / "Wav-c.bin";
  ASSERT_EQ(WriteSoundResource(bin, Bytes{}, {"{    //声音.wav"}, platform::CodePage::Gbk936).text,
            kOk);
  EXPECT_EQ(platform::ReadFileBytes(folder / "Wav-c-Addr.txt"),
            (Bytes{'{', ' ', ' ', ' ', ' ', '/', '/', 0xC9, 0xF9, 0xD2, 0xF4, '.', 'w', 'a', 'v',
                   '\r', '\n'}));
  EXPECT_EQ(platform::ReadFileBytes(bin), Bytes{});
}

}  // namespace
}  // namespace audio
