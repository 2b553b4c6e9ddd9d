// Characters the chosen face lacks, with the fonts the setup script installs: the
// stand-in for the default face has no Hangul, the Hangul face has it, and no face may
// stand in for private-use codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "font/charset_library.h"
#include "font/glyph_test.h"
#include "font/string_font.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"
#include "temp_folder.h"

namespace font {
namespace {

constexpr const char* kHangulFace = "LexiGulim";
constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::unique_ptr<platform::GlyphRasteriser> Open(platform::FontChoice choice = {}) {
  auto opened = platform::GlyphRasteriser::Open(choice);
  if (!opened)
    ADD_FAILURE() << opened.error().text;
  return opened ? std::move(*opened) : nullptr;
}

platform::Bytes LibrarySlot(platform::TextDrawer& drawer, const char* code) {
  LibraryRequest request;
  request.set = CharacterSet::Unicode;
  request.start_text = request.end_text = code;
  return BuildCharsetLibrary(request, drawer).library;
}

platform::Bytes StringFontGlyph(platform::TextDrawer& drawer, char16_t character) {
  const StringFontOutcome outcome =
      BuildStringFont({std::u16string(1, character)}, platform::CodePage::Gbk936, {}, drawer);
  return platform::Bytes(outcome.file.begin() + 14, outcome.file.end());
}

platform::Bytes ShownGlyph(platform::TextDrawer& drawer, char16_t character) {
  return ShowGlyphBytes(drawer, std::u16string(1, character), {})->packed;
}

TEST(FontFallback, ACharacterOnlyAnotherFaceHasIsInkedUnlessFallbackIsOff) {
  auto rasteriser = Open();
  ASSERT_TRUE(rasteriser);
  struct Case {
    const char* where;
    std::function<platform::Bytes(platform::TextDrawer&, bool hangul)> cell;
  } cases[] = {
      {"library slot", [](platform::TextDrawer& d,
                          bool hangul) { return LibrarySlot(d, hangul ? "AC00" : "E000"); }},
      {"string font",
       [](platform::TextDrawer& d, bool hangul) {
         return StringFontGlyph(d, hangul ? u'\uAC00' : u'\uE000');
       }},
      {"show listing", [](platform::TextDrawer& d,
                          bool hangul) { return ShownGlyph(d, hangul ? u'\uAC00' : u'\uE000'); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    rasteriser->SetFallback(true);
    // What the chosen face draws for a character it lacks: a private-use code has no
    // stand-in anywhere.
    const platform::Bytes missing = c.cell(*rasteriser, false);
    ASSERT_EQ(missing.size(), 32u);
    const platform::Bytes hangul = c.cell(*rasteriser, true);
    EXPECT_NE(hangul, missing);
    EXPECT_GT(std::count_if(hangul.begin(), hangul.end(), [](std::uint8_t b) { return b != 0; }),
              8);
    rasteriser->SetFallback(false);
    EXPECT_EQ(c.cell(*rasteriser, true), missing);
  }
}

TEST(FontFallback, RunsReportTheFacesThatStoodInAndTheBlankCharacters) {
  auto rasteriser = Open();
  ASSERT_TRUE(rasteriser);
  const std::string chosen = rasteriser->FaceName();
  LibraryRequest request;
  request.set = CharacterSet::Unicode;
  request.start_text = "AC00";  // two Hangul syllables
  request.end_text = "AC01";
  EXPECT_EQ(BuildCharsetLibrary(request, *rasteriser).coverage_lines,
            std::vector<std::string>{std::string("2 characters drawn with ") + kHangulFace});
  request.start_text = "E000";
  request.end_text = "E002";
  EXPECT_EQ(BuildCharsetLibrary(request, *rasteriser).coverage_lines,
            std::vector<std::string>{"3 characters have no glyph in any installed font"});
  rasteriser->SetFallback(false);
  request.start_text = "AC00";
  request.end_text = "AC02";
  EXPECT_EQ(BuildCharsetLibrary(request, *rasteriser).coverage_lines,
            std::vector<std::string>{"3 characters have no glyph in " + chosen});
  rasteriser->SetFallback(true);

  // A string font lists up to 20 of its blank characters, each once.
  std::u16string text = u"\uAC00\uAC00A";
  for (char16_t c = 0xE000; c < 0xE016; ++c)
    text += {c, c};
  const StringFontOutcome outcome =
      BuildStringFont({text}, platform::CodePage::Gbk936, {}, *rasteriser);
  std::string listed = "44 characters have no glyph in any installed font:";
  for (int i = 0; i < 20; ++i)
    listed += " U+E0" + std::string(i < 16 ? "0" : "1") + "0123456789ABCDEF"[i % 16];
  EXPECT_EQ(outcome.coverage_lines,
            (std::vector<std::string>{std::string("2 characters drawn with ") + kHangulFace,
                                      listed + " ..."}));

  // The test buttons name the face that drew the glyph.
  EXPECT_EQ(ShowGlyphBytes(*rasteriser, u"\uAC00", {})->view.faces_text,
            std::string("Drawn with ") + kHangulFace);
  EXPECT_EQ(ShowGlyphBytes(*rasteriser, u"汉\uAC00", {})->view.faces_text,
            "Drawn with " + chosen + ", " + kHangulFace);
  EXPECT_EQ(ShowGlyphBytes(*rasteriser, u"\uE000", {})->view.faces_text,
            "No glyph in any installed font");
  EXPECT_TRUE(ShowGlyphBytes(*rasteriser, u"汉", {})->view.coverage_lines.empty());
}

TEST(FontFallback, AFaceWhoseGlyphsFailToReadHandsThemOnAndSaysSo) {
  // DejaVu Sans with the second half of its glyph outlines overwritten.
  std::optional<platform::Bytes> font = platform::ReadFileBytes(kDejaVuSans);
  ASSERT_TRUE(font && font->size() > 12);
  auto be = [&font](std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
      value = value << 8 | (*font)[at + std::size_t(i)];
    return value;
  };
  const std::uint32_t tables = be(4, 2);
  for (std::uint32_t i = 0; i < tables; ++i) {
    const std::size_t entry = 12 + 16 * std::size_t(i);
    if (std::memcmp(font->data() + entry, "glyf", 4) != 0)
      continue;
    const std::uint32_t offset = be(entry + 8, 4);
    const std::uint32_t length = be(entry + 12, 4);
    std::fill(font->begin() + offset + length / 2, font->begin() + offset + length, 0x7F);
  }
  tools::TempFolder folder;
  folder.Write("broken.ttf", *font);
  auto rasteriser = Open({folder.File("broken.ttf"), 14});
  ASSERT_TRUE(rasteriser);
  LibraryRequest request;
  request.set = CharacterSet::Unicode;
  request.start_text = "0020";
  request.end_text = "04FF";
  const LibraryOutcome outcome = BuildCharsetLibrary(request, *rasteriser);
  ASSERT_FALSE(outcome.error);
  ASSERT_FALSE(outcome.coverage_lines.empty());
  EXPECT_TRUE(
      outcome.coverage_lines.back().ends_with(" characters could not be read from DejaVu Sans"))
      << outcome.coverage_lines.back();
  // What the broken face could not read, the installed faces drew.
  EXPECT_TRUE(outcome.coverage_lines.front().find(" characters drawn with ") != std::string::npos);
}

}  // namespace
}  // namespace font
