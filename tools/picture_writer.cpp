#include "picture_writer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
#include <gif_lib.h>
#include <jpeglib.h>
#include <spng.h>
#include <unistd.h>

namespace tools {

Bytes EncodePng(const PngImage& image) {
  spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr header{};
  header.width = static_cast<std::uint32_t>(image.width);
  header.height = static_cast<std::uint32_t>(image.height);
  header.color_type = static_cast<std::uint8_t>(image.colour_type);
  header.bit_depth = static_cast<std::uint8_t>(image.bit_depth);
  spng_set_ihdr(context, &header);
  if (image.colour_type == 3) {
    spng_plte palette{};
    palette.n_entries = static_cast<std::uint32_t>(image.palette.size() / 3);
    for (std::uint32_t i = 0; i < palette.n_entries; ++i) {
      palette.entries[i] = {image.palette[i * 3], image.palette[i * 3 + 1],
                            image.palette[i * 3 + 2], 0};
    }
    spng_set_plte(context, &palette);
  }
  int code = spng_encode_image(context, image.samples.data(), image.samples.size(), SPNG_FMT_PNG,
                               SPNG_ENCODE_FINALIZE);
  if (code != 0) {
    spng_ctx_free(context);
    throw std::runtime_error(spng_strerror(code));
  }
  std::size_t size = 0;
  int error = 0;
  auto* buffer = static_cast<std::uint8_t*>(spng_get_png_buffer(context, &size, &error));
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  spng_ctx_free(context);
  return bytes;
}

Bytes EncodeJpeg(int width, int height, const Bytes& samples, bool grey, bool progressive,
                 int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive)
    jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = std::size_t(width) * (grey ? 1 : 3);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

Bytes EncodeCmykJpeg(int width, int height, const Bytes& cmyk) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, JCS_CMYK);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = std::size_t(width) * 4;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(cmyk.data() + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

namespace {
void Put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
}  // namespace

Bytes EncodeBmp24(int width, int height, const Bytes& rgb) {
  const std::uint32_t stride = (std::uint32_t(width) * 3 + 3) & ~3u;
  const std::uint32_t data_size = stride * std::uint32_t(height);
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + data_size);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, data_size);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::uint8_t* row = rgb.data() + std::size_t(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      out.push_back(row[x * 3 + 2]);
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3]);
    }
    for (std::uint32_t pad = std::uint32_t(width) * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

bool WriteGif(const std::string& path, int width, int height, const Bytes& palette,
              const std::vector<GifFrame>& frames) {
  int error = 0;
  // giflib's own open makes the file private (0600); opened here it gets the usual mode.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  GifFileType* gif = EGifOpenFileHandle(fd, &error);
  if (gif == nullptr) {
    ::close(fd);
    return false;
  }
  std::vector<GifColorType> colours(palette.size() / 3);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = {palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]};
  }
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
  for (const GifFrame& frame : frames) {
    ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, false,
                                nullptr) == GIF_OK;
    for (int y = 0; ok && y < frame.height; ++y) {
      auto* row = const_cast<GifPixelType*>(frame.indices.data() + std::size_t(y) * frame.width);
      ok = EGifPutLine(gif, row, frame.width) == GIF_OK;
    }
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace tools
