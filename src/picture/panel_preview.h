#pragma once
// What the module shows for a picture: the picture encoded with the window's settings,
// then read back from those bytes. The windows' "Panel preview" shows this instead of
// the picture as loaded, so banding, Black_White's ink, alpha keying and the four-bit
// ARGB form are seen before anything is written.

#include <string>

#include "picture/conversion_run.h"
#include "picture/gif_run.h"
#include "picture/pixel_decoders.h"
#include "picture/pixel_encoders.h"
#include "picture/working_bitmap.h"
#include "platform/message.h"

namespace picture {

// The bitmap encoded in `form` (not Argb4) and decoded back. Read in the colour order it
// was stored in, as a module set up for that order reads it; mirroring and NAND padding
// are what the panel gets, so mirroring shows and the padding does not. In a keyed
// picture the pixels stored as zero are the transparent ones (alpha 0): keying nudges
// every opaque colour off zero.
platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& bitmap, PixelForm form,
                                            const EncodeSettings& settings);

// The four-bit ARGB form of a PNG's colours and alpha, decoded back.
platform::Result<DecodedPicture> ModuleView(const ArgbPicture& picture,
                                            const EncodeSettings& settings);

// The main window's preview as a conversion tick would store it: the four-bit ARGB form
// of the PNG at `path` when it is a PNG and "aRGB PNG" is checked (a PNG without alpha
// stores zeros: nothing shows), else the preview in the pixel format.
platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& preview, bool keyed,
                                            PictureKind kind, const std::string& path,
                                            const PictureSettings& settings);

// The GIF window's frame (already rotated) as a tick would store it.
platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& frame,
                                            const GifSettings& settings);

}  // namespace picture
