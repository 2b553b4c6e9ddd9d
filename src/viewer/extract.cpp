#include "viewer/extract.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/png_encoder.h"

namespace viewer {

namespace {

constexpr const char* kContentsName = "contents.txt";

std::string Hex8(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(value));
  return text;
}

std::string Hex4(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
  return text;
}

std::string NameOf(const Entry& entry) {
  return std::string(KindName(entry.kind)) + " " + std::to_string(entry.index);
}

platform::Result<platform::Bytes> Png(platform::Result<picture::DecodedPicture> picture,
                                      bool keep_alpha) {
  if (!picture)
    return picture.error();
  return platform::EncodePngFromRgba(picture->rgba, picture->width, picture->height, keep_alpha);
}

// The code table of a string font as one contents line.
std::string CodesLine(const Entry& entry, const GlyphSheet& sheet) {
  std::string line = NameOf(entry) + " codes:";
  for (const auto& code : sheet.codes)
    line += " " + (code ? Hex4(*code) : std::string("----"));
  return line;
}

platform::Result<platform::Ok> Write(const ImageContents& contents, const std::string& path,
                                     const platform::Bytes& bytes) {
  auto refused = platform::RefuseOutputsOverInputs({path}, contents.inputs);
  if (!refused)
    return refused.error();
  auto written = platform::WriteFile(path, bytes);
  if (!written)
    return platform::Error("Can't write " + path + ": " + written.error().text);
  return platform::Ok{};
}

}  // namespace

platform::Result<platform::Bytes> EntryFileBytes(const ImageContents& contents,
                                                 const Entry& entry) {
  if (!entry.Good())
    return platform::Error(entry.problem);
  switch (entry.kind) {
    case EntryKind::Picture:
      return Png(DecodePictureEntry(contents, entry),
                 entry.pixel_form == picture::PixelForm::Argb4);
    case EntryKind::Font: {
      auto sheet = DecodeFontEntry(contents, entry);
      if (!sheet)
        return sheet.error();
      return platform::EncodePngFromRgba(sheet->picture.rgba, sheet->picture.width,
                                         sheet->picture.height, false);
    }
    case EntryKind::Cursor:
      return Png(DecodeCursorEntry(contents, entry), false);
    case EntryKind::Sound:
      break;
  }
  return SoundWavEntry(contents, entry);
}

platform::Result<platform::Ok> SaveEntry(const ImageContents& contents, const Entry& entry,
                                         const std::string& path) {
  auto bytes = EntryFileBytes(contents, entry);
  if (!bytes)
    return bytes.error();
  return Write(contents, path, *bytes);
}

std::string ContentsLine(const Entry& entry, const std::string& written_or_reason) {
  return std::string(KindName(entry.kind)) + " " + std::to_string(entry.index) + " " +
         Hex8(entry.address) + " " + Hex8(entry.size) + " " +
         (entry.kind == EntryKind::Sound
              ? std::string("-")
              : std::to_string(entry.width) + "x" + std::to_string(entry.height)) +
         " " + (entry.form.empty() ? "-" : entry.form) + " " + written_or_reason;
}

ExtractOutcome ExtractAll(const ImageContents& contents, const std::string& folder,
                          const platform::Progress& progress) {
  ExtractOutcome outcome;
  std::error_code error;
  const std::filesystem::path target = platform::PathFromUtf8(folder);
  std::filesystem::create_directories(target, error);
  if (error || !std::filesystem::is_directory(target, error)) {
    outcome.errors.push_back("Can't create the folder " + folder +
                             (error ? ": " + error.message() : ": a file of that name is there"));
    return outcome;
  }
  const std::string prefix = folder.empty() || folder.back() == platform::kSeparator
                                 ? folder
                                 : folder + platform::kSeparator;
  platform::Report(progress, 0);
  const std::size_t count = contents.entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Entry& entry = contents.entries[i];
    if (!entry.Good()) {
      outcome.errors.push_back(NameOf(entry) + ": " + entry.problem);
      outcome.contents_lines.push_back(ContentsLine(entry, "none: " + entry.problem));
    } else if (!entry.note.empty()) {
      outcome.contents_lines.push_back(ContentsLine(entry, "none: " + entry.note));
    } else {
      std::string codes;
      platform::Result<platform::Bytes> bytes = platform::Bytes{};
      if (entry.kind == EntryKind::Font && entry.layout == FontLayout::StringFont) {
        // The sheet is decoded once for its picture and its code table.
        auto sheet = DecodeFontEntry(contents, entry);
        if (sheet) {
          codes = CodesLine(entry, *sheet);
          bytes = platform::EncodePngFromRgba(sheet->picture.rgba, sheet->picture.width,
                                              sheet->picture.height, false);
        } else {
          bytes = sheet.error();
        }
      } else {
        bytes = EntryFileBytes(contents, entry);
      }
      auto written = bytes ? Write(contents, prefix + entry.output, *bytes)
                           : platform::Result<platform::Ok>(bytes.error());
      if (written) {
        outcome.contents_lines.push_back(ContentsLine(entry, entry.output));
        if (!codes.empty())
          outcome.contents_lines.push_back(codes);
      } else {
        outcome.errors.push_back(NameOf(entry) + ": " + written.error().text);
        outcome.contents_lines.push_back(ContentsLine(entry, "none: " + written.error().text));
      }
    }
    platform::Report(progress, static_cast<int>((i + 1) * 98 / count));
  }
  for (const std::string& problem : contents.problems) {
    outcome.errors.push_back(problem);
    outcome.contents_lines.push_back("problem " + problem);
  }
  std::string text;
  for (const std::string& line : outcome.contents_lines)
    text += line + "\r\n";
  auto written = Write(contents, prefix + kContentsName, platform::Bytes(text.begin(), text.end()));
  if (!written)
    outcome.errors.push_back(written.error().text);
  platform::Report(progress, 100);
  return outcome;
}

}  // namespace viewer
