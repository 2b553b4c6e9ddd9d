#pragma once
// Picture files into working bitmaps, PNG alpha keying included.

#include <string>

#include "picture/picture_kind.h"
#include "picture/pixel_encoders.h"
#include "picture/working_bitmap.h"
#include "platform/message.h"

namespace picture {

struct LoadSettings {
  std::string alpha_limit_text = "150";  // read for every PNG, before its colour type
  int pixel_format_index = 0;            // decides how opaque black is nudged off black
};

// Decodes the file as `kind`. Fails when the file cannot be read or decoded, or when the
// kind is PNG and the alpha limit text is not a decimal number. `keyed`, when given, is
// set when alpha keying made the exactly black pixels the transparent ones.
platform::Result<WorkingBitmap> LoadPicture(const std::string& path, PictureKind kind,
                                            const LoadSettings& settings, bool* keyed = nullptr);

// Alpha keying of one pixel: transparent (alpha <= limit) becomes black; opaque colours
// that would encode as black are nudged off it, so only transparency encodes as zero.
Rgb KeyedColour(Rgb colour, int alpha, int limit, int pixel_format_index);

// The PNG's colours and alpha for the four-bit ARGB form, rotated like the preview.
// "The png don't have Alpha" when its colour type has no alpha.
platform::Result<ArgbPicture> LoadArgbPicture(const std::string& path, int rotation_index);

}  // namespace picture
