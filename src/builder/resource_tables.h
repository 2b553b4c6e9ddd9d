#pragma once
// The table passes of a build: every resource file gets its placement address in the
// flash image and its entries in the picture, font, WAV and cursor tables of the header.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

// Messages a build shows and goes on after ("Gif number is over than 10", ...).
using MessageSink = std::function<void(const platform::Message&)>;

// What the passes read: the resource list, the folder its names live in (ending in the
// separator) and the header size the placement starts at.
struct ResourceSet {
  std::vector<std::string> names;
  std::string folder;
  std::size_t header_size = kNorHeaderSize;

  [[nodiscard]] std::string PathOf(const std::string& name) const { return folder + name; }
};

struct TableOutcome {
  int picture_count = 0;
  RangeTable gifs;
  RangeTable numbers;
  std::vector<std::string> listing;  // one line per table entry, in table order
  // The size each resource file had when it was placed; the image is assembled from
  // these same sizes or not at all.
  std::map<std::string, std::uint64_t> placed_sizes;
};

// The address list read beside a picture, GIF or number resource.
std::string AddressListPathOf(const ResourceSet& resources, const std::string& name);

// Every file a build reads: the resources and the address lists beside them.
std::vector<std::string> BuildInputPaths(const ResourceSet& resources);

// Size of a resource file; nothing when it cannot be opened.
std::optional<std::uint64_t> ResourceFileSize(const std::string& path);

// Font slot (0-7) and size code of a font file name: "Font_C1_24.bin" is slot 1, 24.
struct FontSlot {
  int slot = 0;
  int size_code = 255;
  friend bool operator==(const FontSlot&, const FontSlot&) = default;
};
FontSlot FontSlotOf(const std::string& name);

// Runs the picture, GIF and number passes, then the font, WAV and cursor passes, into
// `header` (already filled with 0xFF). Fails with the message that stops the build: an
// unreadable address list, a number that is not decimal, or a table that would overflow.
platform::Result<TableOutcome> FillResourceTables(const ResourceSet& resources,
                                                  HeaderBuffer& header, const MessageSink& shown);

}  // namespace builder
