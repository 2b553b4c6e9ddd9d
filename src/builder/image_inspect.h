#pragma once
// What the header of a flash image (or of a "UserInfo" copy) describes, in text, with a
// check that every table entry lies inside the file (a header alone is not checked).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace builder {

struct InspectReport {
  std::size_t header_size = 0;
  bool header_only = false;           // a "UserInfo" copy: its tables point past its end
  std::vector<std::string> lines;     // the summary
  std::vector<std::string> problems;  // table entries that lie outside the file
};

// Reads the header of `image`. Fails when the file is shorter than a NOR header.
platform::Result<InspectReport> InspectImage(std::span<const std::uint8_t> image);
// The same from the file's first bytes alone (at least the NAND header's 0x20000 bytes,
// or the whole file when it is shorter) and its size, so a large image need not be read.
platform::Result<InspectReport> InspectImage(std::span<const std::uint8_t> header,
                                             std::uint64_t file_size);

// The module info record (42 bytes) as "Key: value" lines, words where the key has them.
std::vector<std::string> DescribeModuleInfo(std::span<const std::uint8_t> record);

}  // namespace builder
