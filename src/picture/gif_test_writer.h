#pragma once
// Small GIF files for tests, written byte by byte. The image data uses 8-bit codes with a
// clear code before the table could grow, so it is valid LZW without compression.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "picture/working_bitmap.h"

namespace picture::testing {

struct TestGifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indexes;  // width * height, rows top to bottom, each below 128
  std::vector<Rgb> local_palette;     // empty: the global table is used
  int transparent_index = -1;         // writes a graphic control extension when set
  bool interlaced = false;
};

struct TestGif {
  int screen_width = 0;
  int screen_height = 0;
  std::vector<Rgb> global_palette;  // empty: no global table
  std::vector<TestGifFrame> frames;
  bool trailer = true;
};

// A frame covering the rectangle with one colour index.
TestGifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index);

std::vector<std::uint8_t> GifBytes(const TestGif& gif);

// Writes the bytes to the file; true when written.
bool WriteTestFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadTestFile(const std::string& path);

// A fresh folder for one test, removed with its content afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path ending in "/", and the path of a name in it.
  [[nodiscard]] std::string Path() const;
  [[nodiscard]] std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace picture::testing
