#include "png_chunks.h"

#include <algorithm>

namespace tools::png {

namespace {

void Put32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return crc ^ 0xFFFFFFFF;
}

void PutRows(Bytes& out, std::uint32_t width, std::uint32_t height, int bits_per_pixel,
             std::uint32_t first_row) {
  if (width == 0 || height == 0)
    return;
  const std::size_t stride = (std::size_t{width} * bits_per_pixel + 7) / 8;
  for (std::uint32_t y = 0; y < height; ++y) {
    out.push_back(0);
    out.insert(out.end(), stride, static_cast<std::uint8_t>(first_row + y));
  }
}

}  // namespace

Bytes Chunk(std::string_view type, const Bytes& data) {
  Bytes chunk;
  Put32(chunk, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type.begin(), type.end());
  chunk.insert(chunk.end(), data.begin(), data.end());
  Put32(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
  return chunk;
}

Bytes WithBadChecksum(Bytes chunk) {
  chunk.back() ^= 0x01;
  return chunk;
}

Bytes Header(std::uint32_t width, std::uint32_t height, int colour_type, bool interlaced,
             int bit_depth) {
  Bytes data;
  Put32(data, width);
  Put32(data, height);
  data.insert(data.end(),
              {static_cast<std::uint8_t>(bit_depth), static_cast<std::uint8_t>(colour_type), 0, 0,
               static_cast<std::uint8_t>(interlaced ? 1 : 0)});
  return Chunk("IHDR", data);
}

Bytes FilteredRows(std::uint32_t width, std::uint32_t height, int bits_per_pixel, bool interlaced) {
  Bytes rows;
  if (!interlaced) {
    PutRows(rows, width, height, bits_per_pixel, 0);
    return rows;
  }
  // Each pass: first column and row, and the steps between the ones it holds.
  constexpr std::uint32_t kPass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  for (const auto& pass : kPass) {
    const std::uint32_t pass_width =
        width > pass[0] ? (width - pass[0] + pass[2] - 1) / pass[2] : 0;
    const std::uint32_t pass_height =
        height > pass[1] ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
    PutRows(rows, pass_width, pass_height, bits_per_pixel, pass[1]);
  }
  return rows;
}

Bytes Zlib(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t count = std::min<std::size_t>(raw.size() - at, 65535);
    const bool last = at + count == raw.size();
    out.push_back(last ? 1 : 0);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                static_cast<std::uint8_t>(~count), static_cast<std::uint8_t>(~count >> 8)});
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(at),
               raw.begin() + std::ptrdiff_t(at + count));
    at += count;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  Put32(out, b << 16 | a);
  return out;
}

Bytes File(const std::vector<Bytes>& chunks) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const Bytes& chunk : chunks)
    file.insert(file.end(), chunk.begin(), chunk.end());
  return file;
}

}  // namespace tools::png
