#pragma once
// The boot region (image offsets 0x000-0x1FF): the one "Bootloader" file of the list.

#include "builder/builder_types.h"
#include "builder/resource_tables.h"

namespace builder {

// Copies the boot image into the header when exactly one name begins with "Bootloader"
// and its file holds at most 512 bytes. Every other outcome leaves the region 0xFF and
// is shown through `shown`; none of them stops the build.
void PlaceBootImage(const ResourceSet& resources, HeaderBuffer& header, const MessageSink& shown);

}  // namespace builder
