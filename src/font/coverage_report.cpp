#include "font/coverage_report.h"

#include <algorithm>
#include <cstdio>

#include "font/messages.h"

namespace font {

namespace {

std::string CodePoint(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names)
    joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

void AddCounts(std::vector<platform::FaceCount>& total,
               const std::vector<platform::FaceCount>& glyph) {
  for (const platform::FaceCount& face : glyph) {
    const auto it = std::find_if(total.begin(), total.end(), [&face](const auto& counted) {
      return counted.face == face.face;
    });
    if (it != total.end())
      it->characters += face.characters;
    else
      total.push_back(face);
  }
}

}  // namespace

void CoverageCount::Add(const platform::Coverage* glyph) {
  // Almost every glyph is the chosen face's own.
  if (glyph == nullptr || glyph->Complete())
    return;
  total_.fallback = glyph->fallback;
  total_.chosen_face = glyph->chosen_face;
  AddCounts(total_.fallback_faces, glyph->fallback_faces);
  AddCounts(total_.failed_faces, glyph->failed_faces);
  total_.blank += glyph->blank;
  for (const char32_t c : glyph->blank_characters) {
    if (std::find(total_.blank_characters.begin(), total_.blank_characters.end(), c) ==
        total_.blank_characters.end())
      total_.blank_characters.push_back(c);
  }
}

std::vector<std::string> CoverageLines(const platform::Coverage& coverage, bool list_blank) {
  std::vector<std::string> lines;
  for (const platform::FaceCount& face : coverage.fallback_faces)
    lines.push_back(std::to_string(face.characters) + kDrawnWith + face.face);
  if (coverage.blank > 0) {
    std::string line = std::to_string(coverage.blank) +
                       (coverage.fallback ? std::string(kNoGlyphInAnyFont)
                                          : std::string(kNoGlyphIn) + coverage.chosen_face);
    if (list_blank) {
      const std::vector<char32_t>& blank = coverage.blank_characters;
      const std::size_t listed = std::min(blank.size(), kListedBlankCharacters);
      for (std::size_t i = 0; i < listed; ++i)
        line += (i == 0 ? ": " : " ") + CodePoint(blank[i]);
      if (blank.size() > listed)
        line += " ...";
    }
    lines.push_back(std::move(line));
  }
  for (const platform::FaceCount& face : coverage.failed_faces)
    lines.push_back(std::to_string(face.characters) + kCouldNotRead + face.face);
  return lines;
}

std::string GlyphFacesText(const std::vector<std::string>& faces,
                           const platform::Coverage& coverage) {
  if (!faces.empty())
    return kGlyphDrawnWith + Joined(faces);
  return coverage.fallback ? std::string(kGlyphInNoFont)
                           : std::string(kGlyphNotIn) + coverage.chosen_face;
}

}  // namespace font
