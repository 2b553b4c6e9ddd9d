// GIF files through our decoder, every frame drawn on the screen canvas and encoded.
#include "fuzz/fuzz_check.h"
#include "picture/gif_frames.h"
#include "picture/pixel_encoders.h"

namespace {

// Drawing costs time per screen pixel; larger screens are only checked for their frames.
constexpr std::int64_t kLargestDrawn = std::int64_t{1} << 18;

void CheckFrame(const platform::GifFrame& frame, const platform::DecodedGif& gif) {
  FUZZ_REQUIRE(frame.left >= 0 && frame.top >= 0 && frame.width >= 0 && frame.height >= 0);
  FUZZ_REQUIRE(std::int64_t{frame.left} + frame.width <= gif.screen_width || frame.width == 0);
  FUZZ_REQUIRE(std::int64_t{frame.top} + frame.height <= gif.screen_height || frame.height == 0);
  FUZZ_REQUIRE(frame.indexes.size() == std::size_t(frame.width) * std::size_t(frame.height));
  FUZZ_REQUIRE(frame.transparent_index >= -1 && frame.transparent_index <= 255);
}

void CheckDrawing(const platform::DecodedGif& gif, fuzz::Choices& choices) {
  picture::WorkingBitmap canvas;
  picture::ClearCanvas(gif, canvas);
  FUZZ_REQUIRE(canvas.Width() == gif.screen_width && canvas.Height() == gif.screen_height);
  // A canvas of another size must be safe to draw on as well.
  picture::WorkingBitmap small(choices.Next(4), choices.Next(4));
  const picture::PixelForm form = picture::FormOfFormatIndex(choices.Next(2));
  picture::EncodeSettings settings;
  settings.nand = choices.Next(2) == 1;
  for (const platform::GifFrame& frame : gif.frames) {
    picture::DrawGifFrame(frame, canvas);
    picture::DrawGifFrame(frame, small);
    FUZZ_REQUIRE(std::int64_t(picture::EncodePicture(canvas, form, settings).size()) ==
                 std::max<std::int64_t>(0, picture::EncodedSize(form, canvas.Width(),
                                                                canvas.Height(), settings.nand)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto decoded = platform::DecodeGif(input);
  if (!decoded) {
    FUZZ_REQUIRE(fuzz::ClearError(decoded.error()));
    FUZZ_REQUIRE(decoded.error().text.starts_with("GIF: "));
    return 0;
  }
  const platform::DecodedGif& gif = *decoded;
  FUZZ_REQUIRE(gif.screen_width >= 0 && gif.screen_height >= 0);
  FUZZ_REQUIRE(std::int64_t{gif.screen_width} * gif.screen_height <= platform::kMaxGifScreenPixels);
  std::int64_t covered = 0;
  for (const platform::GifFrame& frame : gif.frames) {
    CheckFrame(frame, gif);
    covered += std::int64_t{frame.width} * frame.height;
  }
  // A screen over the free size is one its frames cover.
  const std::int64_t screen = std::int64_t{gif.screen_width} * gif.screen_height;
  FUZZ_REQUIRE(screen <= platform::kGifFreeScreenPixels || covered >= screen);
  if (std::int64_t{gif.screen_width} * gif.screen_height <= kLargestDrawn) {
    fuzz::Choices choices(input);
    CheckDrawing(gif, choices);
  }
  return 0;
}
