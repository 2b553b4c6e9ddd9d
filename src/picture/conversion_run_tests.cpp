#include "picture/conversion_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "picture_writer.h"
#include "platform/code_page.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kGbk = platform::CodePage::Gbk936;

std::string Text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class ConversionRunTest : public testing::Test {
 protected:
  void Bmp(const std::string& name, int w, int h) {
    folder.Write(name, tools::EncodeBmp24(w, h, Bytes(std::size_t(w) * h * 3, 0x40)));
  }
  tools::TempFolder folder;
};

TEST_F(ConversionRunTest, ThreePicturesLieBackToBack) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    Bmp(name, 10, 10);
  const RunReport report =
      ConvertPictures({folder.File("a.bmp"), folder.File("b.bmp"), folder.File("c.bmp")},
                      folder.File("out.bin"), {}, kGbk);
  ASSERT_FALSE(report.stopped);
  EXPECT_EQ(report.messages, (std::vector<platform::Message>{platform::Done("Convert ok")}));
  EXPECT_EQ(folder.Read("out.bin").size(), 600u);
  EXPECT_EQ(Text(folder.Read("out-Addr.txt")),
            "{10, 10, 0x00000000, 0x000000C8},//" + folder.File("a.bmp") + "\r\n" +
                "{10, 10, 0x000000C8, 0x000000C8},//" + folder.File("b.bmp") + "\r\n" +
                "{10, 10, 0x00000190, 0x000000C8},//" + folder.File("c.bmp") + "\r\n");
}

TEST_F(ConversionRunTest, RotationSwapsTheListedSize) {
  Bmp("wide.bmp", 320, 240);
  PictureSettings settings;
  settings.rotation_index = 1;
  const RunReport report =
      ConvertPictures({folder.File("wide.bmp")}, folder.File("w.bin"), settings, kGbk);
  ASSERT_EQ(report.log.size(), 1u);
  EXPECT_EQ(report.log[0], "{240, 320, 0x00000000, 0x00025800},//" + folder.File("wide.bmp"));
}

TEST_F(ConversionRunTest, AFailingPictureStopsTheRunWithoutAddressList) {
  Bmp("a.bmp", 2, 2);
  Bmp("b.bmp", 2, 2);
  folder.Write("c.bmp", "broken");
  const RunReport report =
      ConvertPictures({folder.File("a.bmp"), folder.File("b.bmp"), folder.File("c.bmp")},
                      folder.File("out.bin"), {}, kGbk);
  EXPECT_TRUE(report.stopped);
  EXPECT_TRUE(report.messages.empty());
  ASSERT_EQ(report.log.size(), 3u);
  EXPECT_EQ(report.log[2], "Fail to convert " + folder.File("c.bmp"));
  EXPECT_EQ(folder.Read("out.bin").size(), 16u);
  EXPECT_FALSE(folder.Exists("out-Addr.txt"));
}

// A stopped run keeps its whole pictures; the resource file it replaced had an address
// list that now describes other bytes, so that list goes. A run stopped before it stored
// anything leaves the earlier pair alone.
TEST_F(ConversionRunTest, AStoppedRunNeverLeavesAStaleAddressList) {
  struct Case {
    const char* name;
    std::vector<const char*> pictures;
    std::size_t kept_bytes;  // 0: the earlier file stays
  };
  const Case cases[] = {
      {"third fails", {"a.bmp", "b.bmp", "bad.bmp"}, 16},
      {"first fails", {"bad.bmp", "a.bmp"}, 0},
  };
  Bmp("a.bmp", 2, 2);
  Bmp("b.bmp", 2, 2);
  folder.Write("bad.bmp", "broken");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write("out.bin", Bytes(1000, 0xEE));
    folder.Write("out-Addr.txt", std::string("{2, 2, 0x00000000, 0x000003E8},//old\r\n"));
    std::vector<std::string> entries;
    for (const char* picture : c.pictures)
      entries.push_back(folder.File(picture));
    const RunReport report = ConvertPictures(entries, folder.File("out.bin"), {}, kGbk);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.log.back(), "Fail to convert " + folder.File("bad.bmp"));
    EXPECT_TRUE(report.reason.starts_with(folder.File("bad.bmp") + ": BMP: ")) << report.reason;
    if (c.kept_bytes > 0) {
      EXPECT_EQ(folder.Read("out.bin").size(), c.kept_bytes);
      EXPECT_FALSE(folder.Exists("out-Addr.txt"));
      ASSERT_EQ(report.messages.size(), 1u);
      EXPECT_EQ(report.messages[0].kind, platform::MessageKind::Warning);
      EXPECT_TRUE(report.messages[0].text.ends_with(folder.File("out-Addr.txt")));
    } else {
      EXPECT_EQ(folder.Read("out.bin"), Bytes(1000, 0xEE));
      EXPECT_TRUE(folder.Exists("out-Addr.txt"));
      EXPECT_TRUE(report.messages.empty());
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}),
              c.kept_bytes > 0 ? 4 : 5);  // the pictures and out.bin (and its list)
  }
}

TEST_F(ConversionRunTest, AFullDiskKeepsOnlyWholePictures) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    Bmp(name, 10, 10);  // 200 bytes each as R5G6B5
  RunReport report;
  {
    const tools::FileSizeLimit full_disk(500);
    report = ConvertPictures({folder.File("a.bmp"), folder.File("b.bmp"), folder.File("c.bmp")},
                             folder.File("out.bin"), {}, kGbk);
  }
  EXPECT_TRUE(report.stopped);
  ASSERT_FALSE(report.messages.empty());
  EXPECT_EQ(report.messages[0].text, "The file might not be accessibl.");
  EXPECT_EQ(report.messages[0].reason, folder.File("out.bin") + ": File too large");
  EXPECT_EQ(folder.Read("out.bin").size(), 400u);
  EXPECT_EQ(report.log.size(), 2u);
  EXPECT_FALSE(folder.Exists("out-Addr.txt"));
}

TEST_F(ConversionRunTest, OutputsMayNotBeInputs) {
  Bmp("a.bmp", 2, 2);
  std::filesystem::create_symlink(folder.File("a.bmp"), folder.File("link.bin"));
  const auto refused = RefuseRunOverInputs(folder.File("link.bin"), {folder.File("a.bmp")});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().text, folder.File("link.bin") + " is also an input (" +
                                      folder.File("a.bmp") + "); nothing was written");
  EXPECT_TRUE(RefuseRunOverInputs(folder.File("new.bin"), {folder.File("a.bmp")}).ok());
}

TEST_F(ConversionRunTest, AnUnwritableResourceFileStopsTheRun) {
  Bmp("a.bmp", 2, 2);
  const RunReport report =
      ConvertPictures({folder.File("a.bmp")}, folder.File("no/such/folder/out.bin"), {}, kGbk);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.messages,
            (std::vector<platform::Message>{platform::Error("The file might not be accessibl.")}));
  EXPECT_TRUE(report.log.empty());
}

TEST_F(ConversionRunTest, ExistingFilesAreReplacedWhole) {
  Bmp("a.bmp", 2, 2);
  folder.Write("out.bin", Bytes(1000, 0xEE));
  folder.Write("out-Addr.txt", std::string(5000, 'x'));
  ConvertPictures({folder.File("a.bmp")}, folder.File("out.bin"), {}, kGbk);
  EXPECT_EQ(folder.Read("out.bin").size(), 8u);
  EXPECT_EQ(Text(folder.Read("out-Addr.txt")),
            "{2, 2, 0x00000000, 0x00000008},//" + folder.File("a.bmp") + "\r\n");
}

TEST_F(ConversionRunTest, ArgbPngWithoutAlphaKeepsItsPlaceFilledWithZeros) {
  folder.Write("rgb.png", tools::EncodePng({3, 1, 2, 8, Bytes(9, 0x77), {}}));
  folder.Write("rgba.png", tools::EncodePng({1, 1, 6, 8, {0x12, 0x34, 0x56, 0x80}, {}}));
  PictureSettings settings;
  settings.argb_png = true;
  const RunReport report = ConvertPictures({folder.File("rgb.png"), folder.File("rgba.png")},
                                           folder.File("a.bin"), settings, kGbk);
  EXPECT_EQ(report.messages,
            (std::vector<platform::Message>{platform::Warning("The png don't have Alpha"),
                                            platform::Done("Convert ok")}));
  EXPECT_EQ(folder.Read("a.bin"), (Bytes{0, 0, 0, 0, 0, 0, 0x35, 0x81}));
}

TEST_F(ConversionRunTest, ListingIsWrittenInTheTextCodePage) {
  Bmp("汉.bmp", 1, 1);
  ConvertPictures({folder.File("汉.bmp")}, folder.File("p.bin"), {}, kGbk);
  const std::string listing = Text(folder.Read("p-Addr.txt"));
  EXPECT_NE(listing.find("\xBA\xBA.bmp\r\n"), std::string::npos);  // 汉 in GBK
}

TEST(PictureRun, ListingLinesUseEightHexDigits) {
  EXPECT_EQ(ListingLine(320, 240, 0, 0x25800, "C:\\pics\\logo.png"),
            "{320, 240, 0x00000000, 0x00025800},//C:\\pics\\logo.png");
  EXPECT_EQ(Hex8(0xABCDEF12), "ABCDEF12");
}

}  // namespace
}  // namespace picture
