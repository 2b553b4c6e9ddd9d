#pragma once
// "Make Bin" up to the files: the image header and the build listing of the current
// resource list, command list and "NandFlash Bin" choice.

#include <map>
#include <string>
#include <vector>

#include "builder/build_time.h"
#include "builder/builder_types.h"
#include "builder/resource_tables.h"
#include "platform/message.h"

namespace builder {

struct PreparedBuild {
  ResourceSet resources;
  HeaderBuffer header;                                // 0x3000 or 0x20000 bytes
  std::vector<std::string> listing;                   // the "UserInfo" .txt lines
  std::map<std::string, std::uint64_t> placed_sizes;  // by resource name
};

inline std::size_t HeaderSizeFor(bool nand) {
  return nand ? kNandHeaderSize : kNorHeaderSize;
}

// Fills the header: module info, boot region, resource tables, picture count, user
// commands and build time. Messages the build goes on after go to `shown`; the result
// carries the one that stops it. Nothing is written to disk here, so a stopped build
// leaves every earlier file as it was.
platform::Result<PreparedBuild> PrepareBuild(const ResourceSet& resources,
                                             const CommandList& commands, const BuildTime& time,
                                             const MessageSink& shown);

}  // namespace builder
