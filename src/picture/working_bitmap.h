#pragma once
// W x H pixels of 8-bit R, G, B, origin top-left: what every encoder reads. Colours are
// exact; nothing here quantises.

#include <cstdint>
#include <vector>

namespace picture {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class WorkingBitmap {
 public:
  WorkingBitmap() = default;
  // A bitmap of the given size filled with `fill`.
  WorkingBitmap(int width, int height, Rgb fill = {255, 255, 255});
  WorkingBitmap(int width, int height, std::vector<std::uint8_t> rgb);

  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  [[nodiscard]] bool Empty() const { return width_ <= 0 || height_ <= 0; }

  [[nodiscard]] Rgb Pixel(int x, int y) const {
    const std::uint8_t* p = Row(y) + std::size_t(x) * 3;
    return {p[0], p[1], p[2]};
  }
  void SetPixel(int x, int y, Rgb colour) {
    std::uint8_t* p = Row(y) + std::size_t(x) * 3;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
  }

  // Row y as R, G, B triples, left to right.
  [[nodiscard]] const std::uint8_t* Row(int y) const {
    return rgb_.data() + std::size_t(y) * Stride();
  }
  std::uint8_t* Row(int y) { return rgb_.data() + std::size_t(y) * Stride(); }
  [[nodiscard]] std::size_t Stride() const { return std::size_t(width_) * 3; }
  [[nodiscard]] const std::vector<std::uint8_t>& Samples() const { return rgb_; }

  friend bool operator==(const WorkingBitmap&, const WorkingBitmap&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace picture
