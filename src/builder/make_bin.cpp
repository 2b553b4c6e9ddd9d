#include "builder/make_bin.h"

#include <algorithm>

#include "builder/boot_region.h"
#include "builder/build_messages.h"
#include "builder/header_bytes.h"
#include "builder/module_info.h"
#include "builder/user_commands.h"

namespace builder {

namespace {

constexpr std::size_t kMinimumInfoLines = 5;

}  // namespace

platform::Result<PreparedBuild> PrepareBuild(const ResourceSet& resources,
                                             const CommandList& commands, const BuildTime& time,
                                             const MessageSink& shown) {
  const bool no_resources = resources.names.empty();
  const bool no_info = commands.size() < kMinimumInfoLines;
  if (no_resources && no_info)
    shown(platform::Error(kNoPictureData));
  if (no_info)
    return platform::Error(kNoInfoData);
  if (no_resources)
    return platform::Error(kNoPictureData);

  PreparedBuild build{resources, HeaderBuffer(resources.header_size, 0xFF), {}, {}};
  HeaderBuffer& header = build.header;

  auto info = ParseModuleInfo(commands);
  if (!info)
    return info.error();  // "Module info error!" or the conversion error
  std::copy(info->begin(), info->end(), header.begin() + kModuleInfoAt);

  PlaceBootImage(resources, header, shown);

  auto tables = FillResourceTables(resources, header, shown);
  if (!tables)
    return tables.error();
  build.listing = std::move(tables->listing);
  build.placed_sizes = std::move(tables->placed_sizes);

  auto encoded = EncodeUserCommands(commands, tables->gifs, tables->numbers, header);
  if (!encoded)
    return encoded.error();

  const std::array<std::uint8_t, 7> stamp = BuildTimeBytes(time);
  std::copy(stamp.begin(), stamp.end(), header.begin() + kBuildTimeAt);
  return build;
}

}  // namespace builder
