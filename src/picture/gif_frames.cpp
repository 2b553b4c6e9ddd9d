#include "picture/gif_frames.h"

#include <algorithm>
#include <new>

#include "platform/read_limits.h"

namespace picture {

platform::Result<platform::DecodedGif> LoadGif(const std::string& path) {
  const auto bytes = platform::ReadFile(path, platform::kGifFileLimit);
  if (!bytes)
    return bytes.error();
  return platform::DecodeGif(*bytes);
}

void ClearCanvas(const platform::DecodedGif& gif, WorkingBitmap& canvas) {
  canvas = WorkingBitmap(gif.screen_width, gif.screen_height);
}

void DrawGifFrame(const platform::GifFrame& frame, WorkingBitmap& canvas) {
  // The decoder keeps frames inside the screen; a canvas of another size is still safe.
  const int width = std::min(frame.width, canvas.Width() - frame.left);
  const int height = std::min(frame.height, canvas.Height() - frame.top);
  if (frame.left < 0 || frame.top < 0 || width <= 0 || height <= 0)
    return;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* indexes = frame.indexes.data() + std::size_t(y) * std::size_t(frame.width);
    std::uint8_t* row = canvas.Row(frame.top + y) + std::size_t(frame.left) * 3;
    for (int x = 0; x < width; ++x, row += 3) {
      const int index = indexes[x];
      if (index == frame.transparent_index)
        continue;
      const std::uint8_t* colour = frame.palette.data() + std::size_t(index) * 3;
      row[0] = colour[0];
      row[1] = colour[1];
      row[2] = colour[2];
    }
  }
}

platform::Result<WorkingBitmap> GifFirstFrame(const std::string& path) {
  auto gif = LoadGif(path);
  if (!gif)
    return gif.error();
  try {
    WorkingBitmap canvas;
    ClearCanvas(*gif, canvas);
    if (!gif->frames.empty())
      DrawGifFrame(gif->frames.front(), canvas);
    return canvas;
  } catch (const std::bad_alloc&) {
    // A screen within the limits can still be more than this machine holds.
    return platform::Error("GIF: not enough memory");
  }
}

}  // namespace picture
