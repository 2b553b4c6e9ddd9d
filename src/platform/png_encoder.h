#pragma once
// Writing pictures as PNG files: 8-bit samples, rows top to bottom.

#include <cstdint>
#include <span>

#include "platform/file_io.h"
#include "platform/message.h"

namespace platform {

// PNG bytes of RGBA pixels (4 bytes each). With `keep_alpha` false the alpha bytes are
// left out and the file is RGB, as for pictures that have no transparency.
Result<Bytes> EncodePngFromRgba(std::span<const std::uint8_t> rgba, int width, int height,
                                bool keep_alpha);

}  // namespace platform
