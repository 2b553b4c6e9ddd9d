#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, whose configuration decides which message codes exist.
#include <jerror.h>

#include "platform/decoder_memory.h"
#include "platform/picture_decoders.h"

namespace platform {

namespace {

// Progressive and multi-scan files keep every coefficient of the picture while they are
// read; libjpeg's own memory stays within this.
constexpr long kWorkingMemory = 256L << 20;
// The first rows of the picture are given this much room; it doubles as rows arrive, so
// a header that claims more rows than the data holds costs nothing.
constexpr std::size_t kFirstRows = std::size_t{1} << 20;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX];
  // The file ended early. The decoder reads a little ahead, so on its own this only means
  // data is missing once the decoder needs it (it warns again) or, for files whose scans
  // are all read before the first row, once they have been read.
  bool ended_early = false;
  bool pixels_read = false;  // every row is out: what follows cannot damage the picture
};

// Fails the decode with the message of the current code, or with the early end of the
// file that caused it.
[[noreturn]] void Fail(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (manager->ended_early) {
    // `text` already holds the message of the early end.
  } else if (info->err->msg_code == JERR_NO_BACKING_STORE) {
    std::snprintf(manager->text, sizeof manager->text,
                  "the picture needs more than %ld MiB of decoder memory", kWorkingMemory >> 20);
  } else {
    (*info->err->format_message)(info, manager->text);
  }
  std::longjmp(manager->jump, 1);
}

void OnError(j_common_ptr info) {
  Fail(info);
}

// Warnings of missing or damaged scan data fail the decode: libjpeg would fill the rest of
// the picture with grey. The others (bytes between markers, an unknown revision) are
// harmless and dropped, as is everything once every row is out.
void OnMessage(j_common_ptr info, int level) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (level >= 0 || manager->pixels_read)
    return;
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
      if (!manager->ended_early)
        (*info->err->format_message)(info, manager->text);
      manager->ended_early = true;
      break;
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
      Fail(info);
    default:
      break;
  }
}

// One decode's libjpeg state, released when it goes out of scope (also after a jump).
struct Session {
  jpeg_decompress_struct info{};
  ErrorManager errors{};

  Session() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() { jpeg_destroy_decompress(&info); }

  // Call after setjmp(errors.jump): libjpeg may jump from here on.
  void ReadHeader(std::span<const std::uint8_t> file) {
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kWorkingMemory;
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
  }
  [[nodiscard]] Message Failure() const { return Error(std::string("JPEG: ") + errors.text); }
};

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

// Room for one more row: the picture's storage grows with the rows the data gives.
std::uint8_t* NextRow(std::vector<std::uint8_t>& rgb, std::size_t stride, std::size_t total) {
  if (rgb.size() + stride > rgb.capacity())
    rgb.reserve(std::min(total, std::max(rgb.capacity() * 2, kFirstRows)));
  rgb.resize(rgb.size() + stride);
  return rgb.data() + rgb.size() - stride;
}

Result<DecodedPicture> Decode(std::span<const std::uint8_t> file) {
  // Everything the jump must not skip lives before setjmp in this frame.
  Session session;
  DecodedPicture picture;
  std::vector<std::uint8_t> cmyk_row;
  if (setjmp(session.errors.jump))
    return session.Failure();
  session.ReadHeader(file);
  jpeg_decompress_struct& info = session.info;
  if (!PictureSizeAcceptable(info.image_width, info.image_height))
    return Error("JPEG: picture too large");
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGB;
  jpeg_start_decompress(&info);
  if (session.errors.ended_early)
    return session.Failure();

  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  const std::size_t stride = std::size_t{info.output_width} * 3;
  const std::size_t total = stride * info.output_height;
  if (cmyk)
    cmyk_row.resize(std::size_t{info.output_width} * 4);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = NextRow(picture.rgb, stride, total);
    JSAMPROW target = cmyk ? cmyk_row.data() : row;
    jpeg_read_scanlines(&info, &target, 1);
    if (cmyk)
      CmykRowToRgb(cmyk_row.data(), row, picture.width, info.saw_Adobe_marker);
  }
  session.errors.pixels_read = true;
  jpeg_finish_decompress(&info);
  return picture;
}

}  // namespace

Result<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> file) {
  return FailOnOutOfMemory("JPEG: ", [file] { return Decode(file); });
}

Result<PictureDimensions> JpegDimensions(std::span<const std::uint8_t> file) {
  Session session;
  if (setjmp(session.errors.jump))
    return session.Failure();
  session.ReadHeader(file);
  if (!PictureSizeAcceptable(session.info.image_width, session.info.image_height))
    return Error("JPEG: picture too large");
  return PictureDimensions{static_cast<int>(session.info.image_width),
                           static_cast<int>(session.info.image_height)};
}

}  // namespace platform
