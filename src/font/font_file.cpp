#include "font/font_file.h"

#include "font/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace font {

platform::Result<std::string> WriteFontFile(std::span<const std::uint8_t> bytes,
                                            const std::string& chosen_name,
                                            const std::vector<std::string>& inputs) {
  auto path = platform::OutputPathFor(chosen_name);
  if (!path)
    return path.error();
  if (auto refused = platform::RefuseOutputsOverInputs({*path}, inputs); !refused)
    return refused.error();
  if (auto written = platform::WriteFile(*path, bytes); !written)
    return platform::Because(platform::Error(kOpenCreatFileError), *path, written.error().text);
  return path;
}

std::string GlyphByteListing(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string listing;
  listing.reserve(bytes.size() * 6 + bytes.size() / 4);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    listing += "0x";
    listing += kDigits[bytes[i] >> 4];
    listing += kDigits[bytes[i] & 15];
    listing += ", ";
    if (i % 8 == 7)
      listing += "\r\n";
  }
  return listing;
}

}  // namespace font
