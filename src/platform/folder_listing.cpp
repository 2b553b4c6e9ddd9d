#include "platform/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace platform {

namespace {
// Upper-case folding of ASCII letters; other bytes (UTF-8 sequences) compare as they are.
std::string Folded(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}
}  // namespace

bool ListingOrderLess(const std::string& a, const std::string& b) {
  const std::string fa = Folded(a);
  const std::string fb = Folded(b);
  if (fa != fb)
    return fa < fb;
  return a < b;  // names equal but for case: keep a stable order
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  std::error_code error;
  std::filesystem::directory_iterator it(PathFromUtf8(folder.empty() ? "." : folder), error);
  if (error)
    return entries;
  for (const auto& entry : it) {
    std::error_code kind_error;
    entries.push_back({PathToUtf8(entry.path().filename()), entry.is_directory(kind_error)});
  }
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    return ListingOrderLess(a.name, b.name);
  });
  return entries;
}

}  // namespace platform
