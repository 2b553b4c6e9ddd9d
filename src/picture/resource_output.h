#pragma once
// Resource files and address lists of the picture and GIF converters.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/message.h"

namespace picture {

// v in upper-case hexadecimal, zero-padded to at least 8 digits.
std::string Hex8(std::uint32_t value);

// "{W, H, 0xOFFSET, 0xSIZE},//name"
std::string ListingLine(int width, int height, std::uint32_t offset, std::uint32_t size,
                        const std::string& name);

// The resource file of one run. The items go one after another into a temporary file
// beside it, which replaces any file of that name only when the run keeps it (Keep):
// until then the folder never holds a half-written resource.
class ResourceStore {
 public:
  explicit ResourceStore(std::string path) : path_(std::move(path)) {}

  // Stores the item; "The file might not be accessibl." (or "The file does not exist."
  // without a path) when it cannot. An item that fails half-way is taken out again.
  platform::Result<platform::Ok> Store(std::span<const std::uint8_t> bytes);

  // Renames what was stored into place. Nothing is done when nothing was stored.
  platform::Result<platform::Ok> Keep();

  [[nodiscard]] bool HasStored() const { return pending_.has_value(); }
  [[nodiscard]] const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::optional<platform::OutputFile> pending_;
};

// Writes the log lines, each followed by CR LF, in the code page, as the address list
// beside `output_path`. "The file might not be accessibl." when it cannot.
platform::Result<platform::Ok> WriteAddressList(const std::string& output_path,
                                                const std::vector<std::string>& log_lines,
                                                platform::CodePage page);

}  // namespace picture
