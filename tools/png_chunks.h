#pragma once
// PNG files put together chunk by chunk for tests: damaged checksums, missing or extra
// chunks, headers that claim more than their data holds. Image data is kept in stored
// (uncompressed) deflate blocks, so no compressor is needed.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tools::png {

using Bytes = std::vector<std::uint8_t>;

// A chunk: length, type, data and checksum.
Bytes Chunk(std::string_view type, const Bytes& data);
// The same chunk with one bit of its checksum flipped.
Bytes WithBadChecksum(Bytes chunk);

// An IHDR chunk.
Bytes Header(std::uint32_t width, std::uint32_t height, int colour_type = 2,
             bool interlaced = false, int bit_depth = 8);
// Rows of packed samples, every byte of a row holding the row's number, each after a
// filter byte of 0, in the seven interlace passes when interlaced.
Bytes FilteredRows(std::uint32_t width, std::uint32_t height, int bits_per_pixel,
                   bool interlaced = false);
// A zlib stream of stored blocks holding these bytes.
Bytes Zlib(const Bytes& raw);

// The signature followed by the chunks.
Bytes File(const std::vector<Bytes>& chunks);

}  // namespace tools::png
