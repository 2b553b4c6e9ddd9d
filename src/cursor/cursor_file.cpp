#include "cursor/cursor_file.h"

#include "platform/file_io.h"
#include "platform/output_name.h"

namespace cursor {

namespace {

constexpr int kPixelsPerByte = 4;
constexpr int kBytesPerRow = kCursorSize / kPixelsPerByte;
constexpr int kBytesPerLine = 16;

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return 0;
}

}  // namespace

CursorBytes CursorFileBytes(const CursorImage& image) {
  CursorBytes bytes{};
  for (int r = 0; r < kCursorSize; ++r) {
    for (int k = 0; k < kBytesPerRow; ++k) {
      int value = 0;
      for (int p = 0; p < kPixelsPerByte; ++p)
        value = value * 4 + image.At(k * kPixelsPerByte + p, r);
      bytes[std::size_t(r) * kBytesPerRow + std::size_t(k)] = static_cast<std::uint8_t>(value);
    }
  }
  return bytes;
}

CursorImage CursorFromBytes(const CursorBytes& bytes) {
  CursorImage image;
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c) {
      const std::uint8_t byte = bytes[std::size_t(r) * kBytesPerRow + std::size_t(c) / 4];
      const int shift = 6 - 2 * (c % kPixelsPerByte);
      image.Set(c, r, static_cast<Code>((byte >> shift) & 3));
    }
  }
  return image;
}

std::vector<std::string> CursorListingLines(const CursorBytes& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size(); start += kBytesPerLine) {
    std::string line;
    for (std::size_t i = start; i < start + kBytesPerLine; ++i) {
      line += "0x";
      line += kHex[bytes[i] >> 4];
      line += kHex[bytes[i] & 15];
      line += ',';
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

CursorBytes ImportHexListing(const std::vector<std::string>& lines) {
  CursorBytes bytes{};
  std::size_t filled = 0;
  for (const std::string& line : lines) {
    for (std::size_t i = 0; i < line.size() && filled < bytes.size(); ++i) {
      if (line[i] != 'x' && line[i] != 'X')
        continue;
      const int high = i + 1 < line.size() ? HexDigit(line[i + 1]) : 0;
      const int low = i + 2 < line.size() ? HexDigit(line[i + 2]) : 0;
      bytes[filled++] = static_cast<std::uint8_t>(high * 16 + low);
      i += 2;  // the scan goes on after the two digits
    }
  }
  return bytes;
}

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty())
    lines.push_back(std::move(line));
  return lines;
}

platform::Message SaveCursorFile(const std::string& chosen_name, const CursorBytes& bytes) {
  const auto path = platform::OutputPathFor(chosen_name);
  if (!path)
    return path.error();
  if (auto written = platform::WriteFile(*path, bytes); !written)
    return platform::Because(platform::Error("Can't open " + *path), *path, written.error().text);
  return platform::Done("OK");
}

}  // namespace cursor
