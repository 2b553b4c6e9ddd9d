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
  const std::string path = resources.PathOf(boot_names[0]);
  const auto boot = platform::FileReader::Open(path);
  if (!boot) {
    shown(platform::Because(platform::Warning(kOpenFail), path, boot.error().text));
    return;
  }
  if (boot->Size() > kBootRegionSize) {
    shown(platform::Warning(kBootloaderTooLarge));
    return;
  }
  const auto bytes = boot->Read(0, kBootRegionSize);
  if (!bytes) {
    shown(platform::Because(platform::Warning(kOpenFail), path, bytes.error().text));
    return;
  }
  std::copy(bytes->begin(), bytes->end(), header.begin());
}

}  // namespace builder
