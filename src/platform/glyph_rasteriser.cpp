#include "platform/glyph_rasteriser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <unordered_map>

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <unistd.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/read_limits.h"

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

// fontconfig says on standard error by itself what is wrong with a missing or broken
// configuration; that stays off the terminal. A configuration without faces shows as
// "Font not found".
FcConfig* LoadConfigurationQuietly() {
  std::fflush(stderr);
  const int saved = ::dup(STDERR_FILENO);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved >= 0 && null >= 0)
    ::dup2(null, STDERR_FILENO);
  FcConfig* config = FcInitLoadConfigAndFonts();
  std::fflush(stderr);
  if (saved >= 0) {
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
  }
  if (null >= 0)
    ::close(null);
  return config;
}

// The system's font configuration; null when it has none at all.
FcConfig* FontConfiguration() {
  static FcConfig* config = LoadConfigurationQuietly();
  return config;
}

// The pattern of the choice with the configuration's substitutions: the family and
// language when given, weight and slant.
FcPattern* ChoicePattern(FcConfig* config, const FontChoice& choice, const char* family,
                         const char* language) {
  FcPattern* pattern = FcPatternCreate();
  if (family != nullptr)
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (language != nullptr)
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
  FcPatternAddInteger(pattern, FC_WEIGHT, choice.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, choice.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

std::string PatternString(const FcPattern* pattern, const char* object) {
  FcChar8* text = nullptr;
  if (FcPatternGetString(pattern, object, 0, &text) != FcResultMatch || text == nullptr)
    return {};
  return reinterpret_cast<const char*>(text);
}

// The face fontconfig picks for the family, and whether it really carries that family
// (fontconfig always answers with something).
std::optional<std::pair<FaceFile, bool>> Match(const FontChoice& choice, const char* family,
                                               const char* language) {
  FcConfig* config = FontConfiguration();
  if (config == nullptr)
    return std::nullopt;
  FcPattern* pattern = ChoicePattern(config, choice, family, language);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr)
    return std::nullopt;

  FaceFile face;
  bool carries_family = family == nullptr;
  face.path = PatternString(match, FC_FILE);
  FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
  FcChar8* text = nullptr;
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

// Control characters, surrogates, private-use codes and non-characters mean something
// only in the face that defines them, and the replacement character marks bytes that
// were no character at all: no other face stands in for them.
bool OtherFacesMayDraw(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFD)
    return false;
  if (c >= 0xD800 && c < 0xF900)  // surrogates and the private use area
    return false;
  if (c >= 0xF0000)  // the private use planes
    return false;
  return !(c >= 0xFDD0 && c < 0xFDF0) && (c & 0xFFFE) != 0xFFFE;
}

long Scaled(long font_units, long ppem, long units_per_em) {
  return std::lround(static_cast<double>(font_units) * ppem / units_per_em);
}

// One face as it draws: the bytes of its file, read once whole, so that glyphs never
// touch the file again and a file cut short or replaced while a run uses it changes
// nothing; the FreeType face at the chosen pixel size; the style drawn on where the
// face lacks it.
struct LoadedFace {
  Bytes data;
  FT_Face face = nullptr;
  std::string name;
  FT_Int32 load_flags = FT_LOAD_DEFAULT;
  bool embolden = false;
  int ascent = 0;
  int underline_offset = 0;  // below the baseline
  int underline_thickness = 1;
  int strike_offset = 0;  // above the baseline
  int strike_thickness = 1;

  LoadedFace() = default;
  LoadedFace(const LoadedFace&) = delete;
  LoadedFace& operator=(const LoadedFace&) = delete;
  ~LoadedFace() {
    if (face != nullptr)
      FT_Done_Face(face);
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

std::unique_ptr<LoadedFace> LoadFace(FT_Library library, const std::string& path, int index,
                                     const FontChoice& choice) {
  Result<Bytes> bytes = ReadFile(path, kFontFileLimit);
  if (!bytes || bytes->empty())
    return nullptr;
  auto loaded = std::make_unique<LoadedFace>();
  loaded->data = std::move(*bytes);
  if (FT_New_Memory_Face(library, loaded->data.data(), static_cast<FT_Long>(loaded->data.size()),
                         index, &loaded->face) != 0) {
    loaded->face = nullptr;
    return nullptr;
  }
  FT_Face face = loaded->face;
  loaded->name = face->family_name != nullptr ? face->family_name : path;
  // A face that is not bold or italic itself gets the style drawn on.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool bold_face = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 ||
                         (os2 != nullptr && os2->usWeightClass >= 600);
  const bool bold = choice.bold && !bold_face;
  const bool italic = choice.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
  const int pixels = std::max(1, choice.pixel_height);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0 && face->num_fixed_sizes > 0)
    FT_Select_Size(face, 0);  // a bitmap-only face without this size
  // Embedded strikes are drawn as they are; a synthetic style needs the outlines.
  if ((bold || italic) && FT_IS_SCALABLE(face))
    loaded->load_flags |= FT_LOAD_NO_BITMAP;
  loaded->embolden = bold;
  if (italic) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, as simulated italics lean
    FT_Set_Transform(face, &shear, nullptr);
  }
  loaded->MeasureLines();
  return loaded;
}

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

// Draws glyph `index` of the face with its cell's top-left at (pen, y) and moves the
// pen on; false when the face cannot read or render it.
bool DrawGlyph(const LoadedFace& loaded, FT_UInt index, int& pen, int y, const RgbCanvas& canvas) {
  FT_Face face = loaded.face;
  if (FT_Load_Glyph(face, index, loaded.load_flags) != 0)
    return false;
  FT_GlyphSlot slot = face->glyph;
  if (loaded.embolden)
    FT_GlyphSlot_Embolden(slot);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
    return false;
  Blit(slot->bitmap, pen + slot->bitmap_left, y + loaded.ascent - slot->bitmap_top, canvas);
  pen += static_cast<int>((slot->advance.x + 32) >> 6);
  return true;
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

void Add(std::vector<FaceCount>& counts, const std::string& face) {
  const auto it = std::find_if(counts.begin(), counts.end(),
                               [&face](const FaceCount& count) { return count.face == face; });
  if (it != counts.end())
    ++it->characters;
  else
    counts.push_back({face, 1});
}

constexpr int kNoFace = -1;
constexpr int kUnopened = -2;
constexpr int kUnusable = -3;

}  // namespace

struct GlyphRasteriser::State {
  FT_Library library = nullptr;
  FontChoice choice;
  FaceFile chosen_file;
  std::string name;
  bool fallback = true;
  // [0] is the chosen face; faces that stand in follow as they are first needed.
  std::vector<std::unique_ptr<LoadedFace>> faces;

  // fontconfig's faces for the chosen one, best first, listed at the first character
  // the chosen face lacks; per entry the index in `faces` once opened.
  bool sorted_listed = false;
  FcFontSet* sorted = nullptr;
  std::vector<int> face_of_entry;
  // For each character the chosen face lacks: the face that stands in (or kNoFace), and
  // the list entry of a face passed over because it could not be read (or -1).
  struct StandIn {
    int face = kNoFace;
    int unreadable_entry = -1;
  };
  std::unordered_map<char32_t, StandIn> stand_ins;

  // Of the last text drawn.
  Coverage coverage;
  std::vector<int> last_faces;

  State() = default;
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    faces.clear();
    if (sorted != nullptr)
      FcFontSetDestroy(sorted);
    if (library != nullptr)
      FT_Done_FreeType(library);
  }

  const FcFontSet* SortedFaces() {
    if (sorted_listed)
      return sorted;
    sorted_listed = true;
    FcConfig* config = FontConfiguration();
    if (config == nullptr)
      return nullptr;
    FcPattern* pattern = ChoicePattern(config, choice, faces[0]->name.c_str(), nullptr);
    FcResult result = FcResultNoMatch;
    sorted = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
    if (sorted != nullptr)
      face_of_entry.assign(std::size_t(sorted->nfont), kUnopened);
    return sorted;
  }

  // The face of list entry i, opened on first use; 0 when it is the chosen face itself.
  int FaceOfEntry(int i) {
    int& face = face_of_entry[std::size_t(i)];
    if (face != kUnopened)
      return face;
    const FcPattern* entry = sorted->fonts[i];
    const std::string path = PatternString(entry, FC_FILE);
    int index = 0;
    FcPatternGetInteger(entry, FC_INDEX, 0, &index);
    if (path == chosen_file.path && index == chosen_file.index) {
      face = 0;
    } else if (auto loaded = path.empty() ? nullptr : LoadFace(library, path, index, choice)) {
      faces.push_back(std::move(loaded));
      face = static_cast<int>(faces.size()) - 1;
    } else {
      face = kUnusable;
    }
    return face;
  }

  std::string EntryName(int i) const {
    const std::string family = PatternString(sorted->fonts[i], FC_FAMILY);
    return family.empty() ? PatternString(sorted->fonts[i], FC_FILE) : family;
  }

  // The first face of the list that has the character, or kNoFace.
  int StandInFor(char32_t c) {
    if (!OtherFacesMayDraw(c))
      return kNoFace;
    auto known = stand_ins.find(c);
    if (known == stand_ins.end()) {
      StandIn found;
      const FcFontSet* set = SortedFaces();
      for (int i = 0; set != nullptr && i < set->nfont && found.face == kNoFace; ++i) {
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch ||
            !FcCharSetHasChar(charset, c))
          continue;
        const int face = FaceOfEntry(i);
        if (face == kUnusable && found.unreadable_entry < 0)
          found.unreadable_entry = i;
        else if (face > 0 && FT_Get_Char_Index(faces[std::size_t(face)]->face, c) != 0)
          found.face = face;
      }
      known = stand_ins.emplace(c, found).first;
    }
    if (known->second.unreadable_entry >= 0)
      Add(coverage.failed_faces, EntryName(known->second.unreadable_entry));
    return known->second.face;
  }

  void CountBlank(char32_t c) {
    ++coverage.blank;
    auto& blank = coverage.blank_characters;
    if (std::find(blank.begin(), blank.end(), c) == blank.end())
      blank.push_back(c);
  }

  // Each text counts afresh; the lists keep their room.
  void StartText() {
    coverage.fallback_faces.clear();
    coverage.blank = 0;
    coverage.blank_characters.clear();
    coverage.failed_faces.clear();
    last_faces.clear();
  }

  void NoteLastFace(int face) {
    if (face != kNoFace &&
        std::find(last_faces.begin(), last_faces.end(), face) == last_faces.end())
      last_faces.push_back(face);
  }
};

Result<std::unique_ptr<GlyphRasteriser>> GlyphRasteriser::Open(const FontChoice& choice) {
  auto state = std::make_unique<State>();
  state->choice = choice;
  const std::optional<FaceFile> file = Resolve(choice);
  if (!file || FT_Init_FreeType(&state->library) != 0)
    return Error("Font not found: " + choice.family);
  auto chosen = LoadFace(state->library, file->path, file->index, choice);
  if (!chosen)
    return Error("Font not found: " + choice.family);
  state->chosen_file = *file;
  state->name = file->family.empty() ? chosen->name : file->family;
  state->faces.push_back(std::move(chosen));
  state->coverage.chosen_face = state->name;
  return std::unique_ptr<GlyphRasteriser>(new GlyphRasteriser(std::move(state)));
}

GlyphRasteriser::GlyphRasteriser(std::unique_ptr<State> state) : state_(std::move(state)) {}
GlyphRasteriser::~GlyphRasteriser() = default;

const std::string& GlyphRasteriser::FaceName() const {
  return state_->name;
}

const FontChoice& GlyphRasteriser::Choice() const {
  return state_->choice;
}

void GlyphRasteriser::SetFallback(bool fallback) {
  state_->fallback = fallback;
  state_->coverage.fallback = fallback;
}

bool GlyphRasteriser::Fallback() const {
  return state_->fallback;
}

void GlyphRasteriser::DrawText(std::u16string_view text, int x, int y, const RgbCanvas& canvas) {
  State& state = *state_;
  const LoadedFace& chosen = *state.faces[0];
  state.StartText();
  int pen = x;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = NextCodePoint(text, i);
    int drawn_by = kNoFace;
    bool lacking = false;
    if (const FT_UInt index = FT_Get_Char_Index(chosen.face, c); index == 0)
      lacking = true;
    else if (DrawGlyph(chosen, index, pen, y, canvas))
      drawn_by = 0;
    else
      Add(state.coverage.failed_faces, state.name);
    if (drawn_by == kNoFace && state.fallback) {
      const int other = state.StandInFor(c);
      if (other > 0) {
        const LoadedFace& face = *state.faces[std::size_t(other)];
        if (DrawGlyph(face, FT_Get_Char_Index(face.face, c), pen, y, canvas)) {
          drawn_by = other;
          Add(state.coverage.fallback_faces, face.name);
        } else {
          Add(state.coverage.failed_faces, face.name);
        }
        lacking = false;
      }
    }
    if (lacking) {
      // No face has it: the chosen face draws its own missing-glyph shape, as it
      // always has.
      state.CountBlank(c);
      DrawGlyph(chosen, 0, pen, y, canvas);
    }
    state.NoteLastFace(drawn_by);
  }
  if (state.choice.underline)
    FillBand(canvas, x, pen, y + chosen.ascent + chosen.underline_offset,
             chosen.underline_thickness);
  if (state.choice.strike_out)
    FillBand(canvas, x, pen, y + chosen.ascent - chosen.strike_offset, chosen.strike_thickness);
}

const Coverage* GlyphRasteriser::LastCoverage() const {
  return &state_->coverage;
}

std::vector<std::string> GlyphRasteriser::LastFaces() const {
  std::vector<std::string> names;
  for (const int face : state_->last_faces)
    names.push_back(face == 0 ? state_->name : state_->faces[std::size_t(face)]->name);
  return names;
}

}  // namespace platform
