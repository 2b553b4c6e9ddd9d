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
  if (!pending_) {
    auto created = platform::OutputFile::Create(path_);
    if (!created)
      return platform::Because(platform::Error(kFileNotAccessible), path_, created.error().text);
    pending_.emplace(std::move(*created));
  }
  if (auto written = pending_->Write(bytes); !written)
    return platform::Because(platform::Error(kFileNotAccessible), path_, written.error().text);
  return platform::Ok{};
}

platform::Result<platform::Ok> ResourceStore::Keep() {
  if (!pending_)
    return platform::Ok{};
  auto kept = pending_->Commit();
  pending_.reset();
  if (!kept)
    return platform::Because(platform::Error(kFileNotAccessible), path_, kept.error().text);
  return platform::Ok{};
}

platform::Result<platform::Ok> WriteAddressList(const std::string& output_path,
                                                const std::vector<std::string>& log_lines,
                                                platform::CodePage page) {
  const auto bytes = platform::TextFileBytes(log_lines, page);
  const std::string path = platform::AddressListPathFor(output_path);
  if (auto written = platform::WriteFile(path, bytes); !written)
    return platform::Because(platform::Error(kFileNotAccessible), path, written.error().text);
  return platform::Ok{};
}

}  // namespace picture
