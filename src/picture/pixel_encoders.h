#pragma once
// The encoded picture forms the module reads: rows top to bottom, pixels little-endian,
// each row followed by NAND padding when chosen. No header anywhere.

#include <cstdint>
#include <string>
#include <vector>

#include "picture/working_bitmap.h"
#include "platform/message.h"
#include "platform/progress.h"

namespace picture {

enum class PixelForm { R5G6B5, R8G8B8, BlackWhite, Argb4 };

// The main window's pixel format index: 0 R5G6B5, 1 R8G8B8, any other (2, or -1 for a
// typed-over list) Black_White.
PixelForm FormOfFormatIndex(int pixel_format_index);

// How R5G6B5 and Black_White spread the colours they cannot show ("Dither" list order).
enum class Dither { None = 0, Ordered = 1, Diffusion = 2 };

// The "Dither" list's index; anything unknown is None.
Dither DitherOfIndex(int dither_index);

struct EncodeSettings {
  int colour_order_index = 0;  // 1 is BGR, anything else RGB
  bool mirror_x = false;       // "ReverseX"
  bool mirror_y = false;       // "ReverseY"
  bool nand = false;           // "NandFlash BIN": rows padded to 4 pixels (32 bits in Black_White)
  Dither dither = Dither::None;
  int bw_threshold = -1;  // Black_White ink below this luma (0..255); -1: exact black only
  bool keyed = false;     // PNG alpha keying made the exactly black pixels the transparent ones
};

// Byte size of a picture in the form, or -1 when it does not fit the signed 32-bit
// arithmetic the module's tables use.
std::int64_t EncodedSize(PixelForm form, int width, int height, bool nand);

// R5G6B5, R8G8B8 or Black_White of the bitmap (Argb4 is EncodeArgbPng's).
std::vector<std::uint8_t> EncodePicture(const WorkingBitmap& bitmap, PixelForm form,
                                        const EncodeSettings& settings,
                                        const platform::Progress& progress = {});

inline constexpr const char* kPngWithoutAlpha = "The png don't have Alpha";

// The four-bit ARGB form of a PNG with alpha (colour type 4 or 6): its pixels and alpha
// already rotated as the preview is. "The png don't have Alpha" for other PNGs.
struct ArgbPicture {
  WorkingBitmap colours;
  std::vector<std::uint8_t> alpha;  // one per pixel, same order
};
std::vector<std::uint8_t> EncodeArgb(const ArgbPicture& picture, const EncodeSettings& settings,
                                     const platform::Progress& progress = {});

}  // namespace picture
