#include "picture/working_bitmap.h"

#include <stdexcept>

namespace picture {

WorkingBitmap::WorkingBitmap(int width, int height, Rgb fill)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
  rgb_.resize(std::size_t(width_) * std::size_t(height_) * 3);
  for (std::size_t i = 0; i < rgb_.size(); i += 3) {
    rgb_[i] = fill.r;
    rgb_[i + 1] = fill.g;
    rgb_[i + 2] = fill.b;
  }
}

WorkingBitmap::WorkingBitmap(int width, int height, std::vector<std::uint8_t> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {
  if (width < 0 || height < 0 || rgb_.size() != std::size_t(width) * std::size_t(height) * 3) {
    throw std::invalid_argument("bitmap samples do not match its size");
  }
}

}  // namespace picture
