#include "platform/paths.h"

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FolderOf(const std::string& path) {
  const auto cut = path.rfind(kSeparator);
  return cut == std::string::npos ? path : path.substr(0, cut + 1);
}

std::string BareName(const std::string& path) {
  const auto cut = path.rfind(kSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace platform
