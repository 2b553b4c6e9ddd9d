#include "platform/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include <gif_lib.h>

#include "platform/decoder_memory.h"
#include "platform/gif_layout.h"

namespace platform {

namespace {

// The file's bytes as giflib's input; a read past the end comes back short, which
// giflib reports as a read failure.
struct Source {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  [[nodiscard]] bool Exhausted() const { return position >= bytes.size(); }
};

int ReadFromSource(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* source = static_cast<Source*>(gif->UserData);
  if (wanted <= 0)
    return 0;
  const std::size_t left = source->bytes.size() - source->position;
  const std::size_t count = std::min(left, static_cast<std::size_t>(wanted));
  if (count > 0)
    std::memcpy(buffer, source->bytes.data() + source->position, count);
  source->position += count;
  return static_cast<int>(count);
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifClose>;

Message GifError(int code) {
  const char* text = GifErrorString(code);
  return Error(std::string("GIF: ") + (text ? text : "cannot decode the file"));
}

// The order in which an interlaced frame stores its rows: every 8th row from 0, every
// 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y)
      rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass])
      rows.push_back(y);
  }
  return rows;
}

void FillPalette(const ColorMapObject* table, GifFrame& frame) {
  frame.palette.fill(0);
  if (!table || !table->Colors)
    return;
  const int count = std::clamp(table->ColorCount, 0, 256);
  for (int i = 0; i < count; ++i) {
    frame.palette[std::size_t(i) * 3] = table->Colors[i].Red;
    frame.palette[std::size_t(i) * 3 + 1] = table->Colors[i].Green;
    frame.palette[std::size_t(i) * 3 + 2] = table->Colors[i].Blue;
  }
}

// Reads past the rest of an extension's data blocks.
bool SkipExtensionBlocks(GifFileType* gif, GifByteType* block) {
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
      return false;
  }
  return true;
}

// The transparent index of a graphic control extension block, or -1. The block's first
// byte is its length; the packed flags follow, then the delay, then the index.
int TransparentIndexOf(const GifByteType* block) {
  if (!block || block[0] < 4)
    return -1;
  return (block[1] & 0x01) ? block[4] : -1;
}

class FrameReader {
 public:
  FrameReader(GifFileType* gif, const GifLayout& layout) : gif_(gif), layout_(layout) {}

  // Decodes the frame whose descriptor giflib has just read.
  Result<GifFrame> Read(int transparent_index) {
    const GifImageDesc& desc = gif_->Image;
    // Only frames the walk over the blocks has checked are decoded.
    if (next_ >= layout_.frames.size() || !SameRectangle(layout_.frames[next_], desc)) {
      return Error("GIF: the blocks of frame " + std::to_string(next_ + 1) + " cannot be followed");
    }
    ++next_;
    GifFrame frame;
    frame.transparent_index = transparent_index;
    FillPalette(desc.ColorMap ? desc.ColorMap : gif_->SColorMap, frame);

    // The visible part of the frame's rectangle.
    const std::int64_t left = std::max<std::int64_t>(desc.Left, 0);
    const std::int64_t top = std::max<std::int64_t>(desc.Top, 0);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{desc.Left} + desc.Width, gif_->SWidth);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{desc.Top} + desc.Height, gif_->SHeight);
    if (right > left && bottom > top) {
      frame.left = static_cast<int>(left);
      frame.top = static_cast<int>(top);
      frame.width = static_cast<int>(right - left);
      frame.height = static_cast<int>(bottom - top);
    }
    frame.indexes.assign(std::size_t(frame.width) * std::size_t(frame.height), 0);

    if (desc.Width <= 0 || desc.Height <= 0)
      return SkipImageData() ? Result<GifFrame>(std::move(frame)) : GifError(gif_->Error);

    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (int y : RowOrder(desc.Height, desc.Interlace)) {
      if (DGifGetLine(gif_, line.data(), desc.Width) == GIF_ERROR)
        return GifError(gif_->Error);
      const std::int64_t screen_y = std::int64_t{desc.Top} + y;
      if (frame.width == 0 || screen_y < top || screen_y >= bottom)
        continue;
      const std::size_t from = static_cast<std::size_t>(left - desc.Left);
      std::copy_n(line.data() + from, frame.width,
                  frame.indexes.data() + std::size_t(screen_y - top) * std::size_t(frame.width));
    }
    return frame;
  }

 private:
  // A frame without pixels still carries (empty) image data to read past.
  bool SkipImageData() {
    int code_size = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_, &code_size, &block) == GIF_ERROR)
      return false;
    while (block) {
      if (DGifGetCodeNext(gif_, &block) == GIF_ERROR)
        return false;
    }
    return true;
  }

  static bool SameRectangle(const GifFrameLayout& frame, const GifImageDesc& desc) {
    return frame.left == desc.Left && frame.top == desc.Top && frame.width == desc.Width &&
           frame.height == desc.Height;
  }

  GifFileType* gif_;
  const GifLayout& layout_;
  std::size_t next_ = 0;
};

Result<DecodedGif> DecodeWhole(std::span<const std::uint8_t> file) {
  Source source{file};
  int open_error = 0;
  GifHandle gif(DGifOpen(&source, ReadFromSource, &open_error));
  if (!gif)
    return GifError(open_error);

  DecodedGif decoded;
  if (std::int64_t{gif->SWidth} * gif->SHeight > kMaxGifScreenPixels || gif->SWidth < 0 ||
      gif->SHeight < 0) {
    return Error("GIF: the logical screen of " + std::to_string(gif->SWidth) + " x " +
                 std::to_string(gif->SHeight) + " pixels is larger than 268435456 pixels");
  }
  decoded.screen_width = gif->SWidth;
  decoded.screen_height = gif->SHeight;
  const GifLayout layout = ReadGifLayout(file);
  if (auto checked = CheckGifLayout(layout); !checked)
    return checked.error();

  FrameReader reader(gif.get(), layout);
  int transparent_index = -1;  // from the graphic control extension of the next frame
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) {
      if (gif->Error == D_GIF_ERR_READ_FAILED && source.Exhausted())
        break;  // no trailer byte: the file ends after its last frame
      return GifError(gif->Error);
    }
    if (record == TERMINATE_RECORD_TYPE)
      break;
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
        return GifError(gif->Error);
      if (code == GRAPHICS_EXT_FUNC_CODE)
        transparent_index = TransparentIndexOf(block);
      if (!SkipExtensionBlocks(gif.get(), block))
        return GifError(gif->Error);
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE)
      return GifError(D_GIF_ERR_WRONG_RECORD);
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
      return GifError(gif->Error);
    auto frame = reader.Read(transparent_index);
    if (!frame)
      return frame.error();
    decoded.frames.push_back(std::move(*frame));
    transparent_index = -1;  // a control extension governs the one frame after it
  }
  return decoded;
}

}  // namespace

Result<DecodedGif> DecodeGif(std::span<const std::uint8_t> file) {
  return FailOnOutOfMemory("GIF: ", [file] { return DecodeWhole(file); });
}

}  // namespace platform
