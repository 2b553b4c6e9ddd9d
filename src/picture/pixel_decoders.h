#pragma once
// The encoded picture forms read back into RGBA pixels, as the panel shows them. Each
// decoder is the inverse of its encoder: stored bits widen by bit replication, so a
// picture decoded and encoded again gives the same bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "picture/pixel_encoders.h"
#include "platform/message.h"

namespace picture {

struct DecodedPicture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;  // 4 bytes per pixel, rows top to bottom
};

struct DecodeSettings {
  int colour_order_index = 0;  // 1 is BGR, anything else RGB (four-bit ARGB has no order)
  bool nand = false;           // rows carry NAND padding
  // The encoder's mirroring is undone only when asked: by default the picture is what the
  // panel shows.
  bool mirror_x = false;
  bool mirror_y = false;
};

// Widening of a stored channel to 8 bits by bit replication.
constexpr std::uint8_t Widen5(unsigned v) {
  return static_cast<std::uint8_t>(v << 3 | v >> 2);
}
constexpr std::uint8_t Widen6(unsigned v) {
  return static_cast<std::uint8_t>(v << 2 | v >> 4);
}
constexpr std::uint8_t Widen4(unsigned v) {
  return static_cast<std::uint8_t>(v * 17);
}

// The picture of `width` x `height` pixels whose encoded bytes start `bytes`. R5G6B5 and
// R8G8B8 follow the colour order; Black_White gives ink black and the rest white; four-bit
// ARGB takes its alpha from its 4 bits, every other form is opaque. Bytes past the
// picture's size are ignored. Fails, saying why, when `bytes` holds fewer than
// EncodedSize(form, width, height, nand) bytes or that size is unusable.
platform::Result<DecodedPicture> DecodePicture(std::span<const std::uint8_t> bytes, PixelForm form,
                                               int width, int height,
                                               const DecodeSettings& settings);

}  // namespace picture
