// The converters' output built into a flash image and extracted again: every picture,
// frame, glyph, cursor pixel and sound byte comes back as the module will show it.
#include <gtest/gtest.h>

#include "audio/pcm_output.h"
#include "audio/wav_header.h"
#include "builder/build_test_folder.h"
#include "builder/flash_image.h"
#include "builder/make_bin.h"
#include "cursor/cursor_file.h"
#include "font/charset_library.h"
#include "font/string_font.h"
#include "font/test_drawers.h"
#include "picture/conversion_run.h"
#include "picture/gif_run.h"
#include "picture_writer.h"
#include "platform/picture_decoders.h"
#include "viewer/extract.h"
#include "viewer/image_contents.h"

namespace viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;
using picture::Rgb;

constexpr int kPngWidth = 7, kPngHeight = 5;
constexpr int kBmpWidth = 6, kBmpHeight = 4;
constexpr int kGifWidth = 6, kGifHeight = 3;
const Bytes kPalette = {255, 255, 255, 200, 30, 30, 30, 130, 200, 0, 0, 0};

Rgb PngColour(int x, int y) {
  return {std::uint8_t(x * 37 + 5), std::uint8_t(y * 53 + 1), std::uint8_t((x ^ y) * 29 + 7)};
}
Rgb BmpColour(int x, int y) {
  return {std::uint8_t(250 - x * 40), std::uint8_t(x * y * 19), std::uint8_t(y * 70)};
}
int GifIndex(int frame, int x, int y) {
  return (x + y + frame) % 4;
}

// What the panel shows of an 8-bit colour in each form.
Rgb Shown(picture::PixelForm form, Rgb c) {
  if (form == picture::PixelForm::R8G8B8)
    return c;
  return {picture::Widen5(c.r >> 3), picture::Widen6(c.g >> 2), picture::Widen5(c.b >> 3)};
}

class Fixture {
 public:
  explicit Fixture(bool nand) : nand_(nand) {
    WritePictures();
    WriteGif();
    WriteFonts();
    WriteSound();
    WriteCursor();
  }

  platform::Result<platform::Ok> Build(const std::string& flash) const {
    builder::ResourceSet resources;
    resources.names = {"Picture-a.bin",  "Picture-b.bin", "Gif-run.bin", "Font_s.bin",
                       "Font_C1_16.bin", "Wav-beep.bin",  "Cursor-c.bin"};
    resources.folder = bins_.Folder();
    resources.header_size = builder::HeaderSizeFor(nand_);
    auto build = builder::PrepareBuild(resources, builder::testing::ProjectLines(), {},
                                       [](const platform::Message&) {});
    if (!build)
      return build.error();
    return builder::WriteFlashImage(flash, *build);
  }

  // The glyph raster of a text as the font window renders it.
  static picture::WorkingBitmap Glyph(char16_t unit) {
    font::testing::CodeBitsDrawer drawer;
    const std::u16string text(1, unit);
    return font::RenderGlyph(drawer, text, *font::ReadCell(font::GlyphSettings{}));
  }

  Bytes sound_samples;
  cursor::CursorImage cursor_image;

 private:
  void WritePictures() {
    tools::PngImage png{kPngWidth, kPngHeight, 2, 8, {}, {}};
    Bytes bmp;
    for (int y = 0; y < kPngHeight; ++y) {
      for (int x = 0; x < kPngWidth; ++x) {
        const Rgb c = PngColour(x, y);
        png.samples.insert(png.samples.end(), {c.r, c.g, c.b});
      }
    }
    for (int y = 0; y < kBmpHeight; ++y) {
      for (int x = 0; x < kBmpWidth; ++x) {
        const Rgb c = BmpColour(x, y);
        bmp.insert(bmp.end(), {c.r, c.g, c.b});
      }
    }
    pictures_.Write("a.png", tools::EncodePng(png));
    pictures_.Write("b.bmp", tools::EncodeBmp24(kBmpWidth, kBmpHeight, bmp));
    picture::PictureSettings settings;
    settings.nand = nand_;
    Convert({pictures_.File("a.png"), pictures_.File("b.bmp")}, "Picture-a.bin", settings);
    settings.pixel_format_index = 1;  // R8G8B8
    Convert({pictures_.File("a.png")}, "Picture-b.bin", settings);
  }

  void Convert(const std::vector<std::string>& paths, const std::string& name,
               const picture::PictureSettings& settings) {
    const auto report =
        picture::ConvertPictures(paths, bins_.File(name), settings, platform::CodePage::Gbk936);
    ASSERT_FALSE(report.stopped) << report.reason;
  }

  void WriteGif() {
    std::vector<tools::GifFrame> frames;
    for (int frame = 0; frame < 2; ++frame) {
      tools::GifFrame f{0, 0, kGifWidth, kGifHeight, {}};
      for (int y = 0; y < kGifHeight; ++y) {
        for (int x = 0; x < kGifWidth; ++x)
          f.indices.push_back(std::uint8_t(GifIndex(frame, x, y)));
      }
      frames.push_back(f);
    }
    ASSERT_TRUE(
        tools::WriteGif(pictures_.File("run.gif"), kGifWidth, kGifHeight, kPalette, frames));
    picture::GifSettings settings;
    settings.nand = nand_;
    const auto report = picture::ConvertGifs({pictures_.File("run.gif")}, bins_.File("Gif-run.bin"),
                                             settings, platform::CodePage::Gbk936);
    ASSERT_FALSE(report.stopped) << report.reason;
  }

  void WriteFonts() {
    font::testing::CodeBitsDrawer drawer;
    const auto string_font = font::BuildStringFont({u"AB", u"C"}, platform::CodePage::Gbk936,
                                                   font::GlyphSettings{}, drawer);
    ASSERT_FALSE(string_font.error);
    bins_.Write("Font_s.bin", string_font.file);
    font::LibraryRequest request;
    request.set = font::CharacterSet::Unicode;
    request.start_text = "0041";
    request.end_text = "0050";
    const auto library = font::BuildCharsetLibrary(request, drawer);
    ASSERT_FALSE(library.error);
    bins_.Write("Font_C1_16.bin", library.library);
  }

  void WriteSound() {
    // 16-bit mono samples converted to 8 bits: the high bytes, signed.
    Bytes wav = {'R', 'I', 'F', 'F', 0,  0, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
                 ' ', 16,  0,   0,   0,  1, 0,   1,   0,   0x40, 0x1F, 0,   0,   0x80, 0x3E,
                 0,   0,   2,   0,   16, 0, 'd', 'a', 't', 'a',  20,   0,   0,   0};
    for (int i = 0; i < 10; ++i)
      wav.insert(wav.end(), {std::uint8_t(i), std::uint8_t(i * 25 - 120)});
    const audio::WavInfo info = audio::ParseWav(wav);
    ASSERT_TRUE(info.Convertible());
    audio::OutputChoice choice{audio::kLeftChannel, audio::kEightBits, 0};
    auto samples = audio::ConvertPcm(wav, info, choice);
    ASSERT_TRUE(samples.ok());
    sound_samples = *samples;
    bins_.Write("Wav-beep.bin", sound_samples);
  }

  void WriteCursor() {
    for (int r = 0; r < cursor::kCursorSize; ++r) {
      for (int c = 0; c < cursor::kCursorSize; ++c)
        cursor_image.Set(c, r, cursor::Code((c * 3 + r) % 4));
    }
    const cursor::CursorBytes bytes = cursor::CursorFileBytes(cursor_image);
    bins_.Write("Cursor-c.bin", Bytes(bytes.begin(), bytes.end()));
  }

  bool nand_;
  tools::TempFolder pictures_;
  builder::testing::BinFolder bins_;
};

platform::DecodedPicture ReadPng(const tools::TempFolder& folder, const std::string& name) {
  const Bytes file = folder.Read(name);
  auto png = platform::DecodePng(file);
  EXPECT_TRUE(png.ok()) << name << ": " << (png.ok() ? "" : png.error().text);
  return png.ok() ? *png : platform::DecodedPicture{};
}

Rgb At(const platform::DecodedPicture& png, int x, int y) {
  const std::uint8_t* p = png.rgb.data() + (std::size_t(y) * png.width + x) * 3;
  return {p[0], p[1], p[2]};
}

template <class Colour>
void ExpectPicture(const platform::DecodedPicture& png, int width, int height, Colour colour) {
  ASSERT_EQ(png.width, width);
  ASSERT_EQ(png.height, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(At(png, x, y), colour(x, y)) << "at " << x << ", " << y;
  }
}

// Cell i of a sheet of 16 x 16 cells shows the glyph of `units[i]`: ink where the raster
// is darker than the gray limit.
void ExpectGlyphs(const platform::DecodedPicture& sheet, const std::u16string& units) {
  ASSERT_EQ(sheet.width, 16 * int(std::min<std::size_t>(units.size(), 16)));
  ASSERT_EQ(sheet.height, 16 * int((units.size() + 15) / 16));
  for (std::size_t i = 0; i < units.size(); ++i) {
    const picture::WorkingBitmap glyph = Fixture::Glyph(units[i]);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const std::uint8_t level = glyph.Pixel(x, y).r < 200 ? 0 : 255;
        ASSERT_EQ(At(sheet, int(i % 16) * 16 + x, int(i / 16) * 16 + y), (Rgb{level, level, level}))
            << "cell " << i << " at " << x << ", " << y;
      }
    }
  }
}

TEST(ExtractRoundTrip, ConvertedResourcesComeBackFromTheFlashImage) {
  for (const bool nand : {false, true}) {
    SCOPED_TRACE(nand ? "NAND" : "NOR");
    Fixture fixture(nand);
    if (testing::Test::HasFatalFailure())
      return;
    tools::TempFolder out;
    ASSERT_TRUE(fixture.Build(out.File("flash.bin")).ok());

    auto contents = ReadImageContents(out.File("flash.bin"));
    ASSERT_TRUE(contents.ok()) << contents.error().text;
    EXPECT_EQ(contents->nand, nand);
    const ExtractOutcome outcome = ExtractAll(*contents, out.File("x"));
    EXPECT_TRUE(outcome.errors.empty()) << outcome.errors.front();

    // R5G6B5 shows the stored bits widened, R8G8B8 the colours exactly.
    const auto r5 = picture::PixelForm::R5G6B5;
    ExpectPicture(ReadPng(out, "x/picture-000.png"), kPngWidth, kPngHeight,
                  [&](int x, int y) { return Shown(r5, PngColour(x, y)); });
    ExpectPicture(ReadPng(out, "x/picture-001.png"), kBmpWidth, kBmpHeight,
                  [&](int x, int y) { return Shown(r5, BmpColour(x, y)); });
    ExpectPicture(ReadPng(out, "x/picture-002.png"), kPngWidth, kPngHeight, PngColour);
    for (int frame = 0; frame < 2; ++frame) {
      ExpectPicture(ReadPng(out, "x/picture-00" + std::to_string(3 + frame) + ".png"), kGifWidth,
                    kGifHeight, [&](int x, int y) {
                      const std::uint8_t* p = kPalette.data() + 3 * GifIndex(frame, x, y);
                      return Shown(r5, Rgb{p[0], p[1], p[2]});
                    });
    }

    ExpectGlyphs(ReadPng(out, "x/font-0.png"), u"ABC");
    std::u16string range;
    for (char16_t unit = 0x41; unit <= 0x50; ++unit)
      range.push_back(unit);
    ExpectGlyphs(ReadPng(out, "x/font-1.png"), range);

    ExpectPicture(ReadPng(out, "x/cursor-0.png"), 32, 32, [&](int c, int r) {
      return cursor::ColourOfCode(fixture.cursor_image.At(c, r));
    });

    const Bytes wav = out.Read("x/sound-0.wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(
        Bytes(wav.begin() + 44, wav.begin() + 44 + std::ptrdiff_t(fixture.sound_samples.size())),
        fixture.sound_samples);

    const Bytes listing = out.Read("x/contents.txt");
    const std::string text(listing.begin(), listing.end());
    EXPECT_NE(text.find("font 0 codes: 0041 0042 0043\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" 16x16 UniCode/16-cells font-1.png\r\n"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace viewer
