#include <algorithm>
#include <memory>

#include <spng.h>

#include "platform/decoder_memory.h"
#include "platform/picture_decoders.h"

namespace platform {

namespace {

// Deflate's best case: one bit of length code and one of distance code give 258 bytes,
// so no stream expands to more than 1032 times its size.
constexpr std::int64_t kDeflateMaxRatio = 1032;

struct ContextFree {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

Message PngError(int code) {
  return Error(std::string("PNG: ") + spng_strerror(code));
}

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// What a walk over the chunks shows of the image data, without inflating any of it.
struct ImageData {
  std::int64_t bytes = 0;  // IDAT data present in the file
  bool complete = true;    // every IDAT chunk ends, checksum included, within the file
};

bool IsChunk(std::span<const std::uint8_t> type, const char* name) {
  return std::equal(type.begin(), type.end(), name);
}

ImageData ImageDataPresent(std::span<const std::uint8_t> file) {
  constexpr std::size_t kSignature = 8, kChunkHeader = 8, kChecksum = 4;
  ImageData data;
  std::size_t at = kSignature;
  while (at + kChunkHeader <= file.size()) {
    const std::uint64_t length = BigEndian32(file.data() + at);
    const std::span<const std::uint8_t> type = file.subspan(at + 4, 4);
    const std::size_t left = file.size() - at - kChunkHeader;
    const bool whole = length + kChecksum <= left;
    if (IsChunk(type, "IDAT")) {
      data.bytes += static_cast<std::int64_t>(std::min<std::uint64_t>(length, left));
      data.complete = data.complete && whole;
    }
    if (!whole || IsChunk(type, "IEND"))
      break;
    at += kChunkHeader + static_cast<std::size_t>(length) + kChecksum;
  }
  return data;
}

// The smallest number of bytes the image data inflates to: one filter byte and the packed
// samples of each row, in each of the seven interlace passes when interlaced.
std::int64_t FilteredSize(const spng_ihdr& header) {
  const int channels[] = {1, 0, 3, 1, 2, 0, 4};
  const std::int64_t bits = std::int64_t{channels[header.color_type % 7]} * header.bit_depth;
  auto rows = [bits](std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 ? height * (1 + (width * bits + 7) / 8) : 0;
  };
  const std::int64_t width = header.width, height = header.height;
  if (header.interlace_method == 0)
    return rows(width, height);
  // Each pass: first column and row, and the steps between the ones it holds.
  constexpr int kPass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                               {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  std::int64_t total = 0;
  for (const auto& pass : kPass) {
    total +=
        rows((width - pass[0] + pass[2] - 1) / pass[2], (height - pass[1] + pass[3] - 1) / pass[3]);
  }
  return total;
}

// Grey and palette samples of 1, 2 or 4 bits: up to eight pixels a byte, which spng
// expands to RGB one slow step at a time. They are unpacked here instead, from the
// packed rows spng gives in a few milliseconds.
bool HasPackedSamples(const spng_ihdr& header) {
  return (header.color_type == 0 || header.color_type == 3) && header.bit_depth < 8;
}

// The colours of the packed rows, as spng would give them: grey scaled to 0..255, palette
// entries, and black for an index past the palette's end.
std::vector<std::uint8_t> UnpackRows(const std::vector<std::uint8_t>& packed,
                                     const spng_ihdr& header, const spng_plte& palette) {
  const unsigned depth = header.bit_depth;
  const unsigned mask = (1u << depth) - 1;
  std::uint8_t colours[16][3] = {};
  for (unsigned value = 0; value <= mask; ++value) {
    if (header.color_type == 0) {
      const auto grey = static_cast<std::uint8_t>(value * 255 / mask);
      colours[value][0] = colours[value][1] = colours[value][2] = grey;
    } else if (value < palette.n_entries) {
      colours[value][0] = palette.entries[value].red;
      colours[value][1] = palette.entries[value].green;
      colours[value][2] = palette.entries[value].blue;
    }
  }
  const std::size_t width = header.width;
  const std::size_t stride = (width * depth + 7) / 8;
  std::vector<std::uint8_t> rgb(width * header.height * 3);
  std::uint8_t* out = rgb.data();
  for (std::size_t y = 0; y < header.height; ++y) {
    const std::uint8_t* row = packed.data() + y * stride;
    for (std::size_t x = 0; x < width; ++x, out += 3) {
      const std::size_t bit = x * depth;
      const unsigned value = (row[bit / 8] >> (8 - depth - bit % 8)) & mask;
      std::copy_n(colours[value], 3, out);
    }
  }
  return rgb;
}

Context OpenPng(std::span<const std::uint8_t> file, spng_ihdr& header, int& code) {
  Context context(spng_ctx_new(0));
  if (!context) {
    code = SPNG_EMEM;
    return context;
  }
  // A damaged critical chunk fails; a damaged ancillary one is dropped, as viewers do.
  spng_set_crc_action(context.get(), SPNG_CRC_ERROR, SPNG_CRC_DISCARD);
  spng_set_image_limits(context.get(), 1u << 24, 1u << 24);
  spng_set_chunk_limits(context.get(), 1u << 26, 1u << 28);
  code = spng_set_png_buffer(context.get(), file.data(), file.size());
  if (code == 0)
    code = spng_get_ihdr(context.get(), &header);
  return context;
}

Result<DecodedPicture> Decode(std::span<const std::uint8_t> file) {
  spng_ihdr header{};
  int code = 0;
  Context context = OpenPng(file, header, code);
  if (code)
    return PngError(code);
  if (!PictureSizeAcceptable(header.width, header.height))
    return Error("PNG: picture too large");
  const ImageData data = ImageDataPresent(file);
  if (FilteredSize(header) > data.bytes * kDeflateMaxRatio) {
    return Error("PNG: " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                 " pixels cannot come from " + std::to_string(data.bytes) +
                 " bytes of image data (deflate expands at most 1032 times)");
  }

  // Pictures without alpha decode straight to RGB; those with alpha keep it beside.
  const bool has_alpha = header.color_type == 4 || header.color_type == 6;
  const bool packed = HasPackedSamples(header);
  const int format = packed ? SPNG_FMT_PNG : has_alpha ? SPNG_FMT_RGBA8 : SPNG_FMT_RGB8;
  std::size_t size = 0;
  if ((code = spng_decoded_image_size(context.get(), format, &size)))
    return PngError(code);
  std::vector<std::uint8_t> samples(size);
  if ((code = spng_decode_image(context.get(), samples.data(), size, format, 0)))
    return PngError(code);
  // The chunks after the image data hold the last checksums to check. A file that ends
  // after complete image data, without its end chunk, still shows the whole picture.
  code = spng_decode_chunks(context.get());
  if (code && !(code == SPNG_IO_EOF && data.complete))
    return PngError(code);
  if (packed) {
    spng_plte palette{};
    if (header.color_type == 3 && (code = spng_get_plte(context.get(), &palette)))
      return PngError(code);
    samples = UnpackRows(samples, header, palette);
  }

  DecodedPicture picture;
  picture.width = static_cast<int>(header.width);
  picture.height = static_cast<int>(header.height);
  picture.png_colour_type = header.color_type;
  if (!has_alpha) {
    picture.rgb = std::move(samples);
    return picture;
  }
  const std::size_t pixels = std::size_t{header.width} * header.height;
  picture.rgb.resize(pixels * 3);
  picture.alpha.resize(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    picture.rgb[i * 3] = samples[i * 4];
    picture.rgb[i * 3 + 1] = samples[i * 4 + 1];
    picture.rgb[i * 3 + 2] = samples[i * 4 + 2];
    picture.alpha[i] = samples[i * 4 + 3];
  }
  return picture;
}

}  // namespace

bool PictureSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
         width * height <= kMaxPicturePixels;
}

Result<DecodedPicture> DecodePng(std::span<const std::uint8_t> file) {
  return FailOnOutOfMemory("PNG: ", [file] { return Decode(file); });
}

Result<PictureDimensions> PngDimensions(std::span<const std::uint8_t> file) {
  spng_ihdr header{};
  int code = 0;
  const Context context = OpenPng(file, header, code);
  if (code)
    return PngError(code);
  if (!PictureSizeAcceptable(header.width, header.height))
    return Error("PNG: picture too large");
  return PictureDimensions{static_cast<int>(header.width), static_cast<int>(header.height)};
}

}  // namespace platform
