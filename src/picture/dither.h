#pragma once
// The colours a panel shows for a picture once R5G6B5 or Black_White has dropped what
// they cannot hold: ordered (8 x 8 Bayer) or Floyd-Steinberg dithering, and the luma
// threshold of Black_White. R5G6B5 levels are the 8-bit values the 5 or 6 bits widen to
// by bit replication, so the plain encoder turns them back into exactly those bits.

#include <cstdint>
#include <vector>

#include "picture/pixel_encoders.h"
#include "picture/working_bitmap.h"

namespace picture {

// True when the settings change which colours the form shows: dithering for R5G6B5
// and Black_White, a threshold for Black_White. R8G8B8 and four-bit ARGB hold their
// colours as they are.
bool ChangesColours(PixelForm form, const EncodeSettings& settings);

// The picture as the panel will show it: levels of the form where ChangesColours, the
// bitmap unchanged otherwise. In a keyed picture the transparent pixels stay exact, take
// no part in the diffusion, and no opaque pixel becomes the transparent colour.
WorkingBitmap PanelColours(const WorkingBitmap& bitmap, PixelForm form,
                           const EncodeSettings& settings);

// The bytes EncodePicture makes of PanelColours' picture, straight from the dithering:
// what EncodePicture calls where ChangesColours.
std::vector<std::uint8_t> EncodePanelColours(const WorkingBitmap& bitmap, PixelForm form,
                                             const EncodeSettings& settings,
                                             const platform::Progress& progress = {});

}  // namespace picture
