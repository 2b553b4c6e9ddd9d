#include "picture/resource_output.h"

#include <cstdio>

#include "picture/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace picture {

std::string Hex8(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

std::string ListingLine(int width, int height, std::uint32_t offset, std::uint32_t size,
                        const std::string& name) {
  return "{" + std::to_string(width) + ", " + std::to_string(height) + ", 0x" + Hex8(offset) +
         ", 0x" + Hex8(size) + "},//" + name;
}

platform::Result<platform::Ok> ResourceStore::Store(std::span<const std::uint8_t> bytes) {
  if (path_.empty())
    return platform::Error(kFileDoesNotExist);
  if (!platform::StoreInFile(path_, bytes, !created_))
    return platform::Error(kFileNotAccessible);
  created_ = true;
  return platform::Ok{};
}

platform::Result<platform::Ok> WriteAddressList(const std::string& output_path,
                                                const std::vector<std::string>& log_lines,
                                                platform::CodePage page) {
  const auto bytes = platform::TextFileBytes(log_lines, page);
  if (!platform::WriteFileAtomically(platform::AddressListPathFor(output_path), bytes)) {
    return platform::Error(kFileNotAccessible);
  }
  return platform::Ok{};
}

}  // namespace picture
