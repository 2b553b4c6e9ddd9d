#include "picture/gif_test_writer.h"

#include <fstream>
#include <iterator>
#include <random>

namespace picture::testing {

namespace {

constexpr std::uint8_t kCodeSize = 7;  // codes are 8 bits wide: one byte each
constexpr std::uint8_t kClear = 0x80;
constexpr std::uint8_t kEnd = 0x81;
// The decoder's table starts at 0x82 after a clear and widens the codes at 0x100.
constexpr int kCodesPerClear = 126;

void Put16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// The size field of a colour table: 2^(field + 1) entries hold the palette.
int TableSizeField(std::size_t entries) {
  int field = 0;
  while ((std::size_t{2} << field) < entries)
    ++field;
  return field;
}

void PutTable(std::vector<std::uint8_t>& out, const std::vector<Rgb>& palette) {
  const std::size_t entries = std::size_t{2} << TableSizeField(palette.size());
  for (std::size_t i = 0; i < entries; ++i) {
    const Rgb colour = i < palette.size() ? palette[i] : Rgb{};
    out.insert(out.end(), {colour.r, colour.g, colour.b});
  }
}

std::vector<std::uint8_t> StoredRows(const TestGifFrame& frame) {
  std::vector<int> order;
  if (frame.interlaced) {
    const int start[] = {0, 4, 2, 1};
    const int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = start[pass]; y < frame.height; y += step[pass])
        order.push_back(y);
    }
  } else {
    for (int y = 0; y < frame.height; ++y)
      order.push_back(y);
  }
  std::vector<std::uint8_t> pixels;
  for (int y : order) {
    const auto row = frame.indexes.begin() + std::ptrdiff_t(y) * frame.width;
    pixels.insert(pixels.end(), row, row + frame.width);
  }
  return pixels;
}

void PutImageData(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> codes;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (i % kCodesPerClear == 0)
      codes.push_back(kClear);
    codes.push_back(pixels[i] & 0x7F);
  }
  codes.push_back(kEnd);
  out.push_back(kCodeSize);
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t count = std::min<std::size_t>(255, codes.size() - at);
    out.push_back(static_cast<std::uint8_t>(count));
    out.insert(out.end(), codes.begin() + std::ptrdiff_t(at),
               codes.begin() + std::ptrdiff_t(at + count));
  }
  out.push_back(0);
}

}  // namespace

TestGifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index) {
  TestGifFrame frame{left, top, width, height, {}, {}, -1, false};
  frame.indexes.assign(std::size_t(width) * std::size_t(height), index);
  return frame;
}

std::vector<std::uint8_t> GifBytes(const TestGif& gif) {
  std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, gif.screen_width);
  Put16(out, gif.screen_height);
  const bool global = !gif.global_palette.empty();
  out.push_back(global ? static_cast<std::uint8_t>(0xF0 | TableSizeField(gif.global_palette.size()))
                       : 0x70);
  out.insert(out.end(), {0, 0});  // background index, aspect ratio
  if (global)
    PutTable(out, gif.global_palette);
  for (const TestGifFrame& frame : gif.frames) {
    if (frame.transparent_index >= 0) {
      out.insert(out.end(), {0x21, 0xF9, 4, 0x01, 0, 0,
                             static_cast<std::uint8_t>(frame.transparent_index), 0});
    }
    out.push_back(0x2C);
    Put16(out, frame.left);
    Put16(out, frame.top);
    Put16(out, frame.width);
    Put16(out, frame.height);
    std::uint8_t flags = frame.interlaced ? 0x40 : 0x00;
    if (!frame.local_palette.empty())
      flags |= static_cast<std::uint8_t>(0x80 | TableSizeField(frame.local_palette.size()));
    out.push_back(flags);
    if (!frame.local_palette.empty())
      PutTable(out, frame.local_palette);
    PutImageData(out, StoredRows(frame));
  }
  if (gif.trailer)
    out.push_back(0x3B);
  return out;
}

bool WriteTestFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return static_cast<bool>(file);
}

std::vector<std::uint8_t> ReadTestFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ScratchFolder::ScratchFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("dravick-gif-" + std::to_string(random()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::Path() const {
  return path_.string() + "/";
}

std::string ScratchFolder::File(const std::string& name) const {
  return (path_ / name).string();
}

}  // namespace picture::testing
