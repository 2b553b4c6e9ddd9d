#include "cursor/cursor_image.h"

namespace cursor {

namespace {

constexpr picture::Rgb kColours[4] = {
    {255, 0, 0},      // code 0
    {0, 128, 128},    // code 1
    {255, 255, 255},  // code 2
    {0, 0, 0},        // code 3
};

}  // namespace

picture::Rgb ColourOfCode(int code) {
  return kColours[code & 3];
}

Code CodeOfColour(picture::Rgb colour) {
  for (int code = 0; code < 4; ++code) {
    if (kColours[code] == colour)
      return static_cast<Code>(code);
  }
  return kCodeWhite;
}

}  // namespace cursor
