#include "builder/boot_region.h"

#include <algorithm>

#include "builder/build_messages.h"
#include "builder/header_bytes.h"
#include "builder/resource_kinds.h"
#include "platform/file_io.h"

namespace builder {

void PlaceBootImage(const ResourceSet& resources, HeaderBuffer& header, const MessageSink& shown) {
  std::vector<std::string> boot_names;
  for (const std::string& name : resources.names) {
    if (name.starts_with(kBootloaderPrefix))
      boot_names.push_back(name);
  }
  if (boot_names.size() > 1)
    shown(platform::Warning(kTooManyBootloaders));
  if (boot_names.size() != 1)
    return;
  const std::optional<platform::Bytes> boot =
      platform::ReadFileBytes(resources.PathOf(boot_names[0]));
  if (!boot) {
    shown(platform::Warning(kOpenFail));
    return;
  }
  if (boot->size() > kBootRegionSize) {
    shown(platform::Warning(kBootloaderTooLarge));
    return;
  }
  std::copy(boot->begin(), boot->end(), header.begin());
}

}  // namespace builder
