#include "picture/gif_folder.h"

#include "platform/folder_listing.h"
#include "platform/paths.h"

namespace picture {

namespace {

// The longest name the list compares with; longer names never match an entry.
constexpr std::size_t kNameCharacters = 129;

// The first `count` characters of UTF-8 text (a character is one code point).
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool starts_character = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
    if (starts_character && characters++ == count)
      return text.substr(0, at);
  }
  return text;
}

}  // namespace

bool HasGifExtension(const std::string& name) {
  const auto dot = name.find('.');
  if (dot == std::string::npos)
    return false;
  const std::string extension = name.substr(dot + 1);
  return extension == "gif" || extension == "GIF";
}

std::vector<std::string> ScanGifFolder(const std::string& folder) {
  std::vector<std::string> names;
  for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
    if (!entry.is_folder && !entry.name.starts_with('.') && HasGifExtension(entry.name))
      names.push_back(entry.name);
  }
  return names;
}

int SelectedGifEntry(const std::vector<std::string>& entries, const std::string& chosen_path) {
  const std::string name = FirstCharacters(platform::BareName(chosen_path), kNameCharacters);
  int selected = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == name)
      selected = static_cast<int>(i);
  }
  return selected;
}

}  // namespace picture
