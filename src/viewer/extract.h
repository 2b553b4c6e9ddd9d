#pragma once
// Writing entries out as files: pictures, glyph sheets and cursors as PNG, sounds as
// WAV, and the contents listing. `dravick extract` writes every entry; the viewer's
// "Save As" writes the selected one the same way.

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/message.h"
#include "platform/progress.h"
#include "viewer/image_contents.h"

namespace viewer {

// The bytes of the file `extract` writes for a good entry (PNG or WAV).
platform::Result<platform::Bytes> EntryFileBytes(const ImageContents& contents, const Entry& entry);

// Writes that file to `path` (through a temporary file beside it). Refuses a path that
// names the file the entry comes from.
platform::Result<platform::Ok> SaveEntry(const ImageContents& contents, const Entry& entry,
                                         const std::string& path);

// The `contents.txt` line of an entry: kind, index, address or offset, size, pixels or
// cell, form, the file written or the reason none was.
std::string ContentsLine(const Entry& entry, const std::string& written_or_reason);

struct ExtractOutcome {
  std::vector<std::string> contents_lines;  // contents.txt, one line per entry
  std::vector<std::string> errors;          // one line per entry not written, and why
};

// Writes every good entry into `folder` (created when missing) under its output name,
// then contents.txt. Files of the same names are replaced; none may be the input.
ExtractOutcome ExtractAll(const ImageContents& contents, const std::string& folder,
                          const platform::Progress& progress = {});

}  // namespace viewer
