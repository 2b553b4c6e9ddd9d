#pragma once
// The module's 32 x 32 cursor: every pixel one of four two-bit codes, each shown in a
// fixed colour, so a colour and a code stand for each other.

#include <array>
#include <cstdint>

#include "picture/working_bitmap.h"

namespace cursor {

inline constexpr int kCursorSize = 32;

enum Code : std::uint8_t {
  kCode0 = 0,      // red
  kCode1 = 1,      // teal
  kCodeWhite = 2,  // "Black Color", shown white; also a cleared picture
  kCodeBlack = 3,  // "INV Black Color", shown black
};

// The display colour of a code (only the low two bits count).
picture::Rgb ColourOfCode(int code);

// The code a colour stands for; a colour that is none of the four reads as code 2.
Code CodeOfColour(picture::Rgb colour);

class CursorImage {
 public:
  // A cleared picture: every pixel code 2.
  CursorImage() { codes_.fill(kCodeWhite); }

  // Column c from the left, row r from the top, both 0..31.
  [[nodiscard]] Code At(int c, int r) const { return codes_[Index(c, r)]; }
  void Set(int c, int r, Code code) { codes_[Index(c, r)] = code; }
  // True when (c, r) names a pixel of the picture.
  [[nodiscard]] static bool Contains(int c, int r) {
    return c >= 0 && c < kCursorSize && r >= 0 && r < kCursorSize;
  }

  friend bool operator==(const CursorImage&, const CursorImage&) = default;

 private:
  static std::size_t Index(int c, int r) { return std::size_t(r) * kCursorSize + std::size_t(c); }
  std::array<Code, kCursorSize * kCursorSize> codes_{};
};

}  // namespace cursor
