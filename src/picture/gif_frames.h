#pragma once
// Frames of a GIF drawn on one canvas of its logical screen: each frame painted over the
// ones before it, unscaled, with its transparent pixels left out, so frame i shows what
// the animation shows at that point.

#include <string>

#include "picture/working_bitmap.h"
#include "platform/gif_decoder.h"
#include "platform/message.h"

namespace picture {

// The GIF file at `path`, decoded; an error text when it cannot be read or decoded.
platform::Result<platform::DecodedGif> LoadGif(const std::string& path);

// Makes the canvas the GIF's logical screen, all white: what a file's first frame is
// drawn on, so nothing of an earlier file shows through.
void ClearCanvas(const platform::DecodedGif& gif, WorkingBitmap& canvas);

// Paints the frame into its rectangle of the canvas, skipping its transparent pixels.
void DrawGifFrame(const platform::GifFrame& frame, WorkingBitmap& canvas);

// The preview of a GIF file: frame 0 drawn on a cleared canvas (a GIF without frames
// gives the white screen).
platform::Result<WorkingBitmap> GifFirstFrame(const std::string& path);

}  // namespace picture
