#pragma once
// Decoders of the picture files users hand over. Each takes the file's bytes and gives
// 8-bit RGB samples (and alpha where the file has an alpha channel), or an error text
// starting with "PNG: ", "JPEG: " or "BMP: " that gives the decoder's reason.
//
// A decode costs memory and time in proportion to the data the file holds, never to the
// size its header claims: a header whose picture the data cannot fill is refused before
// the picture is allocated. Damaged data (a checksum that does not match, image data cut
// short) fails; harmless oddities every viewer shows (a bad checksum on an ancillary PNG
// chunk, bytes after the end marker) do not. The libraries never print to the terminal.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace platform {

// Largest picture accepted, in pixels; a header that claims more is refused before
// anything is allocated.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;

struct DecodedPicture {
  int width = 0;
  int height = 0;
  // PNG header colour type (0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA); -1 for
  // other kinds.
  int png_colour_type = -1;
  std::vector<std::uint8_t> rgb;    // width * height * 3, rows top to bottom
  std::vector<std::uint8_t> alpha;  // width * height for PNG colour types 4 and 6, else empty
};

Result<DecodedPicture> DecodePng(std::span<const std::uint8_t> file);
Result<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> file);
Result<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> file);

// The width and height a picture's header gives, read without decoding its pixels, so a
// caller that needs one size can refuse any other cheaply. The decode may still fail.
struct PictureDimensions {
  int width = 0;
  int height = 0;
};
Result<PictureDimensions> PngDimensions(std::span<const std::uint8_t> file);
Result<PictureDimensions> JpegDimensions(std::span<const std::uint8_t> file);
Result<PictureDimensions> BmpDimensions(std::span<const std::uint8_t> file);

// "picture too large" when width * height exceeds kMaxPicturePixels or either is not
// positive.
bool PictureSizeAcceptable(std::int64_t width, std::int64_t height);

}  // namespace platform
