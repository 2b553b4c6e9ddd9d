#include "builder/resource_kinds.h"

#include "platform/folder_listing.h"
#include "platform/paths.h"

namespace builder {

const char* PrefixOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Picture:
      return "Picture";
    case ResourceKind::Gif:
      return "Gif";
    case ResourceKind::Number:
      return "Number";
    case ResourceKind::Font:
      return "Font";
    case ResourceKind::Wav:
      return "Wav";
    case ResourceKind::Cursor:
      return "Cursor";
  }
  return "";
}

bool IsOfKind(const std::string& name, ResourceKind kind) {
  return name.starts_with(PrefixOf(kind));
}

std::optional<ResourceKind> KindOf(const std::string& name) {
  for (ResourceKind kind : kPlacementOrder) {
    if (IsOfKind(name, kind))
      return kind;
  }
  return std::nullopt;
}

bool IsBinFileName(const std::string& name) {
  if (name.empty() || name.front() == '.')
    return false;
  const std::size_t dot = name.find('.');
  return dot != std::string::npos && name.substr(dot + 1) == "bin";
}

std::vector<std::string> ListBinFolder(const std::string& folder) {
  std::vector<std::string> names;
  for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
    if (!entry.is_folder && IsBinFileName(entry.name))
      names.push_back(entry.name);
  }
  return names;
}

std::string WithTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != platform::kSeparator)
    folder += platform::kSeparator;
  return folder;
}

}  // namespace builder
