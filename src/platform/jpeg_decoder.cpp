#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/picture_decoders.h"

namespace platform {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->text);
  std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings of damaged files are not shown

// Adobe writes CMYK inverted; others write it plain.
void CmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, int width, bool inverted) {
  for (int x = 0; x < width; ++x) {
    int c = cmyk[x * 4], m = cmyk[x * 4 + 1], y = cmyk[x * 4 + 2], k = cmyk[x * 4 + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    rgb[x * 3] = static_cast<std::uint8_t>(c * k / 255);
    rgb[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
    rgb[x * 3 + 2] = static_cast<std::uint8_t>(y * k / 255);
  }
}

}  // namespace

Result<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> file) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  // Everything that must be released after a longjmp lives outside this frame's locals
  // that the jump would skip.
  DecodedPicture picture;
  std::vector<std::uint8_t> cmyk_row;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return Error(std::string("JPEG: ") + errors.text);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  if (!PictureSizeAcceptable(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return Error("JPEG: picture too large");
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGB;
  jpeg_start_decompress(&info);

  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  const std::size_t stride = std::size_t{info.output_width} * 3;
  picture.rgb.resize(stride * info.output_height);
  if (cmyk)
    cmyk_row.resize(std::size_t{info.output_width} * 4);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = picture.rgb.data() + stride * info.output_scanline;
    JSAMPROW target = cmyk ? cmyk_row.data() : row;
    jpeg_read_scanlines(&info, &target, 1);
    if (cmyk)
      CmykRowToRgb(cmyk_row.data(), row, picture.width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

}  // namespace platform
