// Font libraries against a floor: a plain FreeType loop that renders, thresholds and
// packs the same glyphs with nothing else around it. The libraries add code-page
// decoding, form mapping, the cell's raster steps and progress reporting.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "font/charset_library.h"
#include "platform/chinese_forms.h"
#include "platform/glyph_rasteriser.h"

namespace {

constexpr const char* kUmingFile = "/usr/share/fonts/truetype/arphic/uming.ttc";

// The characters of GB2312 (0) or GBK (3), decoded once outside the timed loop.
std::vector<char32_t> SetCharacters(int set) {
  const bool gbk = set == int(font::CharacterSet::Gbk);
  std::vector<char32_t> characters;
  for (int lead = gbk ? 0x81 : 0xA1; lead <= (gbk ? 0xFE : 0xF7); ++lead) {
    for (int trail = gbk ? 0x40 : 0xA1; trail <= 0xFE; ++trail) {
      const std::array<std::uint8_t, 2> code{std::uint8_t(lead), std::uint8_t(trail)};
      const std::u16string text = platform::DecodeCodePage(code, platform::CodePage::Gbk936);
      characters.push_back(text.empty() ? U'?' : char32_t(text[0]));
    }
  }
  return characters;
}

void BM_FreeTypeFloor(benchmark::State& state) {
  const std::vector<char32_t> characters = SetCharacters(int(state.range(0)));
  std::vector<std::uint8_t> library(characters.size() * 32);
  for (auto _ : state) {
    FT_Library freetype = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&freetype);
    if (FT_New_Face(freetype, kUmingFile, 0, &face) != 0) {
      state.SkipWithError("AR PL UMing is not installed");
      FT_Done_FreeType(freetype);
      break;
    }
    FT_Set_Pixel_Sizes(face, 0, 14);
    std::size_t fill = 0;
    for (const char32_t character : characters) {
      std::array<std::uint8_t, 16 * 16> cell{};
      FT_Load_Char(face, character, FT_LOAD_RENDER);
      const FT_Bitmap& bitmap = face->glyph->bitmap;
      const int left = 2 + face->glyph->bitmap_left;
      const int top = 1 + 12 - face->glyph->bitmap_top;
      for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
          const int x = left + int(column);
          const int y = top + int(row);
          if (x < 0 || y < 0 || x >= 16 || y >= 16)
            continue;
          const std::uint8_t* line = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
          const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                               ? (line[column >> 3] & (0x80 >> (column & 7))) != 0
                               : line[column] > 55;
          cell[std::size_t(y * 16 + x)] = ink ? 1 : 0;
        }
      }
      for (int y = 0; y < 16; ++y)
        for (int k = 0; k < 2; ++k) {
          std::uint8_t byte = 0;
          for (int l = 0; l < 8; ++l)
            byte = std::uint8_t(byte | (cell[std::size_t(y * 16 + k * 8 + l)] << (7 - l)));
          library[fill++] = byte;
        }
    }
    benchmark::DoNotOptimize(library.data());
    FT_Done_Face(face);
    FT_Done_FreeType(freetype);
  }
  state.counters["glyphs/s"] =
      benchmark::Counter(double(characters.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FreeTypeFloor)
    ->ArgName("set")
    ->Arg(int(font::CharacterSet::Gb2312))
    ->Arg(int(font::CharacterSet::Gbk))
    ->Unit(benchmark::kMillisecond);

// A whole library as `dravick font charset` makes it, font resolution included.
void BM_CharsetLibrary(benchmark::State& state) {
  const auto set = static_cast<font::CharacterSet>(state.range(0));
  std::size_t glyphs = 0;
  for (auto _ : state) {
    auto rasteriser = platform::GlyphRasteriser::Open({});
    if (!rasteriser) {
      state.SkipWithError("no stand-in for the default face");
      break;
    }
    font::LibraryRequest request;
    request.set = set;
    font::RunControl control;
    control.progress = [](int percent) { benchmark::DoNotOptimize(percent); };
    const font::LibraryOutcome outcome = font::BuildCharsetLibrary(request, **rasteriser, control);
    benchmark::DoNotOptimize(outcome.library.data());
    glyphs = set == font::CharacterSet::Gbk    ? 24066
             : set == font::CharacterSet::Big5 ? 14080
                                               : 8178;
  }
  state.counters["glyphs/s"] =
      benchmark::Counter(double(glyphs), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CharsetLibrary)
    ->ArgName("set")
    ->Arg(int(font::CharacterSet::Gb2312))
    ->Arg(int(font::CharacterSet::Gb2312Traditional))
    ->Arg(int(font::CharacterSet::Big5))
    ->Arg(int(font::CharacterSet::Gbk))
    ->Unit(benchmark::kMillisecond);

// What fallback costs. With the stand-in, which covers GB2312, nothing falls back, and
// the run with fallback is set against the run without. With DejaVu Sans, which has
// none of its CJK characters, nearly every glyph falls back to the stand-in, and that
// run is set against the stand-in drawing the same glyphs itself (`face` 0, no
// fallback). The faces are opened outside the timed loop.
void BM_Fallback(benchmark::State& state) {
  const bool fallback = state.range(0) != 0;
  platform::FontChoice choice;
  if (state.range(1) != 0)
    choice.family = "DejaVu Sans";
  auto rasteriser = platform::GlyphRasteriser::Open(choice);
  if (!rasteriser) {
    state.SkipWithError("face not installed");
    return;
  }
  (*rasteriser)->SetFallback(fallback);
  font::RunControl control;
  control.progress = [](int percent) { benchmark::DoNotOptimize(percent); };
  std::size_t stood_in = 0;
  for (auto _ : state) {
    const font::LibraryOutcome outcome = font::BuildCharsetLibrary({}, **rasteriser, control);
    benchmark::DoNotOptimize(outcome.library.data());
    stood_in = 0;
    for (const platform::FaceCount& face : outcome.coverage.fallback_faces)
      stood_in += face.characters;
  }
  state.counters["fell_back"] = double(stood_in);
}
BENCHMARK(BM_Fallback)
    ->ArgNames({"fallback", "face"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
