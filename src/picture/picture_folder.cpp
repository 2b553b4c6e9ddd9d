#include "picture/picture_folder.h"

#include <array>
#include <string_view>

#include "platform/folder_listing.h"
#include "platform/paths.h"

namespace picture {

bool HasPictureExtension(const std::string& name) {
  static constexpr std::array<std::string_view, 8> kExtensions{"bmp",  "BMP",  "jpg", "JPG",
                                                               "jpeg", "JPEG", "png", "PNG"};
  const auto dot = name.find('.');
  const std::string_view extension =
      dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot + 1);
  for (std::string_view candidate : kExtensions) {
    if (extension == candidate)
      return true;
  }
  return false;
}

std::vector<std::string> ScanPictureFolder(const std::string& folder) {
  std::vector<std::string> entries;
  for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
    if (entry.name.starts_with('.'))
      continue;
    if (HasPictureExtension(entry.name)) {
      entries.push_back(folder + entry.name);
      continue;
    }
    // Anything else is looked into as a subfolder; a file yields nothing there.
    const std::string subfolder = folder + entry.name + platform::kSeparator;
    for (const platform::FolderEntry& inner : platform::ListFolder(subfolder)) {
      if (!inner.name.starts_with('.') && HasPictureExtension(inner.name)) {
        entries.push_back(subfolder + inner.name);
      }
    }
  }
  return entries;
}

}  // namespace picture
