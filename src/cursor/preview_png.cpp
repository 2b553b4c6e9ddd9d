#include "cursor/preview_png.h"

#include <array>
#include <string_view>

namespace cursor {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i)
    crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBe32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, std::string_view type, const Bytes& body) {
  PutBe32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks.
Bytes StoredZlib(const Bytes& data) {
  constexpr std::size_t kMaxBlock = 65535;
  Bytes out = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t size = std::min(kMaxBlock, data.size() - pos);
    const bool last = pos + size == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size));
    out.push_back(static_cast<std::uint8_t>(~size >> 8));
    out.insert(out.end(), data.begin() + std::ptrdiff_t(pos),
               data.begin() + std::ptrdiff_t(pos + size));
    pos += size;
  } while (pos < data.size());
  PutBe32(out, Adler32(data));
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePreviewPng(const picture::WorkingBitmap& bitmap) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBe32(header, static_cast<std::uint32_t>(bitmap.Width()));
  PutBe32(header, static_cast<std::uint32_t>(bitmap.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(out, "IHDR", header);
  Bytes rows;
  rows.reserve((bitmap.Stride() + 1) * std::size_t(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    rows.push_back(0);  // filter: none
    rows.insert(rows.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Stride());
  }
  PutChunk(out, "IDAT", StoredZlib(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace cursor
