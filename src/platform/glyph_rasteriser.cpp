#include "platform/glyph_rasteriser.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string_view>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/paths.h"

namespace platform {

namespace {

// Song/Ming faces that look like the default face, in order of preference. The first
// two are the default face's own names; the rest are Debian's stand-ins.
constexpr std::initializer_list<const char*> kDefaultFaceStandIns = {
    "宋体",
    "SimSun",
    "NSimSun",
    "AR PL UMing CN",
    "AR PL SungtiL GB",
    "Noto Serif CJK SC",
    "Source Han Serif SC",
    "AR PL UMing TW",
};

struct FaceFile {
  std::string path;
  int index = 0;
  std::string family;
};

bool SameFamily(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

FcConfig* FontConfiguration() {
  static FcConfig* config = FcInitLoadConfigAndFonts();
  return config;
}

// The face fontconfig picks for the family, and whether it really carries that family
// (fontconfig always answers with something).
std::optional<std::pair<FaceFile, bool>> Match(const FontChoice& choice, const char* family,
                                               const char* language) {
  FcPattern* pattern = FcPatternCreate();
  if (family != nullptr)
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (language != nullptr)
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
  FcPatternAddInteger(pattern, FC_WEIGHT, choice.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, choice.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(FontConfiguration(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(FontConfiguration(), pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr)
    return std::nullopt;

  FaceFile face;
  bool carries_family = family == nullptr;
  FcChar8* text = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch)
    face.path = reinterpret_cast<const char*>(text);
  FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &text) == FcResultMatch; ++i) {
    const std::string name = reinterpret_cast<const char*>(text);
    if (i == 0)
      face.family = name;
    if (family != nullptr && SameFamily(name, family)) {
      carries_family = true;
      face.family = name;
    }
  }
  FcPatternDestroy(match);
  if (face.path.empty())
    return std::nullopt;
  return std::make_pair(face, carries_family);
}

std::optional<FaceFile> Resolve(const FontChoice& choice) {
  std::error_code error;
  if (std::filesystem::is_regular_file(PathFromUtf8(choice.family), error))
    return FaceFile{choice.family, 0, {}};
  // A path names a file, never a family.
  if (choice.family.find(kSeparator) != std::string::npos)
    return std::nullopt;
  if (choice.family.empty() || choice.family == kDefaultFaceName) {
    for (const char* family : kDefaultFaceStandIns) {
      auto match = Match(choice, family, nullptr);
      if (match && match->second)
        return match->first;
    }
    // Any face that covers Simplified Chinese.
    if (auto match = Match(choice, nullptr, "zh-cn"))
      return match->first;
  }
  if (auto match = Match(choice, choice.family.c_str(), nullptr))
    return match->first;
  return std::nullopt;
}

long Scaled(long font_units, long ppem, long units_per_em) {
  return std::lround(static_cast<double>(font_units) * ppem / units_per_em);
}

}  // namespace

struct GlyphRasteriser::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FontChoice choice;
  std::string name;
  FT_Int32 load_flags = FT_LOAD_DEFAULT;
  bool embolden = false;
  int ascent = 0;
  int underline_offset = 0;  // below the baseline
  int underline_thickness = 1;
  int strike_offset = 0;  // above the baseline
  int strike_thickness = 1;

  ~Face() {
    if (face != nullptr)
      FT_Done_Face(face);
    if (library != nullptr)
      FT_Done_FreeType(library);
  }

  void MeasureLines() {
    const long ppem = face->size->metrics.y_ppem;
    const long upem = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent > 0 && upem > 0) {
      ascent = static_cast<int>(Scaled(os2->usWinAscent, ppem, upem));
      strike_offset = static_cast<int>(Scaled(os2->yStrikeoutPosition, ppem, upem));
      strike_thickness = std::max(1, static_cast<int>(Scaled(os2->yStrikeoutSize, ppem, upem)));
    } else {
      ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
      strike_offset = ascent * 3 / 10;
    }
    if (upem > 0 && face->underline_thickness != 0) {
      underline_offset = static_cast<int>(-Scaled(face->underline_position, ppem, upem));
      underline_thickness =
          std::max(1, static_cast<int>(Scaled(face->underline_thickness, ppem, upem)));
    } else {
      underline_offset = std::max(1, static_cast<int>(ppem / 10));
    }
  }
};

Result<std::unique_ptr<GlyphRasteriser>> GlyphRasteriser::Open(const FontChoice& choice) {
  auto face = std::make_unique<Face>();
  face->choice = choice;
  const std::optional<FaceFile> file = Resolve(choice);
  if (!file || FT_Init_FreeType(&face->library) != 0 ||
      FT_New_Face(face->library, file->path.c_str(), file->index, &face->face) != 0)
    return Error("Font not found: " + choice.family);
  face->name = file->family.empty() && face->face->family_name != nullptr ? face->face->family_name
                                                                          : file->family;
  // A face that is not bold or italic itself gets the style drawn on.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face->face, FT_SFNT_OS2));
  const bool bold_face = (face->face->style_flags & FT_STYLE_FLAG_BOLD) != 0 ||
                         (os2 != nullptr && os2->usWeightClass >= 600);
  const bool bold = choice.bold && !bold_face;
  const bool italic = choice.italic && (face->face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
  const int pixels = std::max(1, choice.pixel_height);
  if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixels)) != 0 &&
      face->face->num_fixed_sizes > 0)
    FT_Select_Size(face->face, 0);  // a bitmap-only face without this size
  // Embedded strikes are drawn as they are; a synthetic style needs the outlines.
  if ((bold || italic) && FT_IS_SCALABLE(face->face))
    face->load_flags |= FT_LOAD_NO_BITMAP;
  face->embolden = bold;
  if (italic) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, as simulated italics lean
    FT_Set_Transform(face->face, &shear, nullptr);
  }
  face->MeasureLines();
  return std::unique_ptr<GlyphRasteriser>(new GlyphRasteriser(std::move(face)));
}

GlyphRasteriser::GlyphRasteriser(std::unique_ptr<Face> face) : face_(std::move(face)) {}
GlyphRasteriser::~GlyphRasteriser() = default;

const std::string& GlyphRasteriser::FaceName() const {
  return face_->name;
}

const FontChoice& GlyphRasteriser::Choice() const {
  return face_->choice;
}

namespace {

// Darkens the canvas by `coverage` (0 = untouched, 255 = black) at (x, y), clipped.
inline void Darken(const RgbCanvas& canvas, int x, int y, unsigned coverage) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage == 0)
    return;
  std::uint8_t* p = canvas.pixels + std::size_t(y) * canvas.stride + std::size_t(x) * 3;
  const unsigned keep = 255 - coverage;
  for (int i = 0; i < 3; ++i)
    p[i] = static_cast<std::uint8_t>((p[i] * keep + 127) / 255);
}

void Blit(const FT_Bitmap& bitmap, int left, int top, const RgbCanvas& canvas) {
  // Only the part of the bitmap that falls inside the canvas.
  const int first_row = std::max(0, -top);
  const int end_row = std::min(static_cast<int>(bitmap.rows), canvas.height - top);
  const int first_column = std::max(0, -left);
  const int end_column = std::min(static_cast<int>(bitmap.width), canvas.width - left);
  const unsigned grays = std::max(2u, static_cast<unsigned>(bitmap.num_grays));
  for (int row = first_row; row < end_row; ++row) {
    const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (int column = first_column; column < end_column; ++column) {
      unsigned coverage = 0;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        coverage = (line[column >> 3] & (0x80 >> (column & 7))) != 0 ? 255 : 0;
      else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
        coverage = grays == 256 ? line[column] : line[column] * 255u / (grays - 1u);
      Darken(canvas, left + column, top + row, coverage);
    }
  }
}

void FillBand(const RgbCanvas& canvas, int x0, int x1, int top, int thickness) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, canvas.width);
  for (int y = std::max(top, 0); y < std::min(top + thickness, canvas.height); ++y)
    for (int x = x0; x < x1; ++x)
      Darken(canvas, x, y, 255);
}

// The next code point of UTF-16 text; a lone surrogate stands for itself.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  const char16_t unit = text[i++];
  if (unit >= 0xD800 && unit < 0xDC00 && i < text.size() && text[i] >= 0xDC00 && text[i] < 0xE000) {
    const char16_t low = text[i++];
    return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
  }
  return unit;
}

}  // namespace

void GlyphRasteriser::DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) {
  FT_Face face = face_->face;
  const int baseline = y + face_->ascent;
  int pen = x;
  for (std::size_t i = 0; i < text.size();) {
    const FT_UInt index = FT_Get_Char_Index(face, NextCodePoint(text, i));
    if (FT_Load_Glyph(face, index, face_->load_flags) != 0)
      continue;
    FT_GlyphSlot slot = face->glyph;
    if (face_->embolden)
      FT_GlyphSlot_Embolden(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
      continue;
    Blit(slot->bitmap, pen + slot->bitmap_left, baseline - slot->bitmap_top, canvas);
    pen += static_cast<int>((slot->advance.x + 32) >> 6);
  }
  if (face_->choice.underline)
    FillBand(canvas, x, pen, baseline + face_->underline_offset, face_->underline_thickness);
  if (face_->choice.strike_out)
    FillBand(canvas, x, pen, baseline - face_->strike_offset, face_->strike_thickness);
}

}  // namespace platform
