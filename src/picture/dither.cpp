#include "picture/dither.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace picture {

namespace {

// The 8 x 8 Bayer matrix: every threshold 0..63 once, neighbours far apart.
constexpr std::array<std::array<std::uint8_t, 8>, 8> kBayer = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

constexpr int kDefaultThreshold = 128;
constexpr int kMaxSixteenths = 16 * 255;
// How far diffused errors can carry a colour channel past its range: less than one step
// of the levels in practice; the tables reach this far on either side.
constexpr int kColourReach = 256;
// Black_White's single step is the whole range, and a low threshold lets the error
// carry a pixel a whole step below 0 before it inks.
constexpr int kBlackWhiteReach = 2 * kMaxSixteenths;

// Diffusion's step for one wanted value in sixteenths: the nearest level, what is left
// over, and the share of it the pixel on the right receives. One load gives all three,
// so the next pixel waits on a single table read.
struct Diffused {
  std::int16_t error;
  std::int8_t right_share;
  std::uint8_t level;
};

// What the panel shows of one R5G6B5 channel (R and B have 5 bits, G 6): the 8-bit
// value of every level, widened by bit replication; for every matrix entry and 8-bit
// value the ordered pick; for every value in sixteenths, kColourReach past either end
// included, the diffusion step.
struct ChannelTables {
  std::array<std::uint8_t, 64> level{};
  std::array<std::array<std::uint8_t, 256>, 64> ordered{};
  std::array<Diffused, kMaxSixteenths + 1 + 2 * kColourReach> diffused{};
};

// The share of a pixel's error that the pixel on its right receives.
int RightShare(int error) {
  return (7 * error + 8) >> 4;
}

// Keeps a pixel's error for the row below; returns the share of the pixel on its right.
int Keep(int* slot, int error) {
  *slot = error;
  return RightShare(error);
}

ChannelTables MakeTables(int bits) {
  ChannelTables tables;
  const int count = 1 << bits;
  for (int k = 0; k < count; ++k)
    tables.level[std::size_t(k)] = static_cast<std::uint8_t>(k << (8 - bits) | k >> (2 * bits - 8));
  // The highest level at or below each 8-bit value.
  std::array<int, 256> floor{};
  for (int v = 0, k = 0; v < 256; ++v) {
    while (k + 1 < count && tables.level[std::size_t(k + 1)] <= v)
      ++k;
    floor[std::size_t(v)] = k;
  }
  for (int entry = 0; entry < 64; ++entry) {
    for (int v = 0; v < 256; ++v) {
      // The next level up when the value's fraction of the step exceeds the entry.
      int k = floor[std::size_t(v)];
      if (k + 1 < count) {
        const int low = tables.level[std::size_t(k)];
        const int step = tables.level[std::size_t(k + 1)] - low;
        if (128 * (v - low) > (2 * entry + 1) * step)
          ++k;
      }
      tables.ordered[std::size_t(entry)][std::size_t(v)] = tables.level[std::size_t(k)];
    }
  }
  for (int at = 0; at < int(tables.diffused.size()); ++at) {
    const int wanted = at - kColourReach;
    const int sixteenths = std::clamp(wanted, 0, kMaxSixteenths);
    const int k = floor[std::size_t(sixteenths >> 4)];
    const bool up = k + 1 < count && 16 * tables.level[std::size_t(k + 1)] - sixteenths <
                                         sixteenths - 16 * tables.level[std::size_t(k)];
    Diffused& step = tables.diffused[std::size_t(at)];
    step.level = tables.level[std::size_t(up ? k + 1 : k)];
    const int error = wanted - 16 * step.level;
    step.error = static_cast<std::int16_t>(error);
    step.right_share = static_cast<std::int8_t>(RightShare(error));
  }
  return tables;
}

// R, G, B of R5G6B5.
const std::array<const ChannelTables*, 3>& ColourTables() {
  static const ChannelTables five = MakeTables(5);
  static const ChannelTables six = MakeTables(6);
  static const std::array<const ChannelTables*, 3> tables{&five, &six, &five};
  return tables;
}

bool IsBlack(const std::uint8_t* p) {
  return (p[0] | p[1] | p[2]) == 0;
}

// 1000 x the luma the threshold is compared with.
int Luma1000(const std::uint8_t* p) {
  return 299 * p[0] + 587 * p[1] + 114 * p[2];
}

// 16 x the luma, near enough for diffusion: 0.299, 0.587 and 0.114 in units of 1/1024.
int Luma16(const std::uint8_t* p) {
  return (4899 * p[0] + 9617 * p[1] + 1868 * p[2] + 512) >> 10;
}

// A value diffused errors carried past the range by no more than `reach`, as they do;
// the test is foreseen and costs nothing, and only guards against sums running away.
bool BeyondReach(int sixteenths, int reach) {
  return unsigned(sixteenths + reach) > unsigned(kMaxSixteenths + 2 * reach);
}
int WithinReach(int sixteenths, int reach) {
  if (BeyondReach(sixteenths, reach)) [[unlikely]]
    return std::clamp(sixteenths, -reach, kMaxSixteenths + reach);
  return sixteenths;
}

// Where the panel's colours go: a picture for the previews, or the encoded bytes.
// Row(y) hands out the writer of picture row y; the loops keep it in locals, so the
// byte stores it makes cannot make the compiler read the sink's settings again for each
// pixel. RowDone follows each row.
class PictureSink {
 public:
  class RowWriter {
   public:
    explicit RowWriter(std::uint8_t* row) : row_(row) {}
    void Colour(int x, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
      std::uint8_t* o = row_ + std::size_t(x) * 3;
      o[0] = r;
      o[1] = g;
      o[2] = b;
    }
    void Grey(int x, bool ink) const {
      const std::uint8_t value = ink ? 0 : 255;
      Colour(x, value, value, value);
    }

   private:
    std::uint8_t* row_;
  };

  explicit PictureSink(const WorkingBitmap& like)
      : width_(like.Width()), height_(like.Height()), samples_(like.Samples().size()) {}
  RowWriter Row(int y) { return RowWriter(samples_.data() + std::size_t(y) * width_ * 3); }
  void RowDone(int) {}
  WorkingBitmap Take() { return WorkingBitmap(width_, height_, std::move(samples_)); }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> samples_;
};

// The bytes the module reads, as the plain encoders lay them out: the pixel walk of the
// mirrors, the colour order, NAND row padding, and the row progress.
class EncodedSink {
 public:
  class RowWriter {
   public:
    RowWriter(std::uint8_t* row, int width, bool mirror_x, bool bgr)
        : row_(row),
          last_(mirror_x ? width - 1 : 0),
          step_(mirror_x ? -1 : 1),
          // BGR swaps the 5-bit fields; multipliers, which cost less than shifts by a
          // variable count.
          red_scale_(bgr ? 1 : 1 << 11),
          blue_scale_(bgr ? 1 << 11 : 1) {}
    void Colour(int x, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
      const unsigned v =
          unsigned(r >> 3) * red_scale_ | unsigned(g >> 2) << 5 | unsigned(b >> 3) * blue_scale_;
      std::uint8_t* o = row_ + std::ptrdiff_t(Column(x)) * 2;
      o[0] = static_cast<std::uint8_t>(v);
      o[1] = static_cast<std::uint8_t>(v >> 8);
    }
    void Grey(int x, bool ink) const {
      const int column = Column(x);
      row_[column / 8] |= static_cast<std::uint8_t>(unsigned(ink) << (7 - column % 8));
    }

   private:
    [[nodiscard]] int Column(int x) const { return last_ + x * step_; }

    std::uint8_t* row_;  // the stored row of the picture row being shown
    int last_;           // where its pixel 0 is stored
    int step_;           // and in which direction the next one follows
    unsigned red_scale_;
    unsigned blue_scale_;
  };

  EncodedSink(int width, int height, PixelForm form, const EncodeSettings& settings,
              std::size_t size, const platform::Progress& progress)
      : width_(width),
        height_(height),
        mirror_x_(settings.mirror_x),
        mirror_y_(settings.mirror_y),
        bgr_(settings.colour_order_index == 1),
        row_bytes_(size / std::size_t(height)),
        bytes_(size, 0xFF),
        progress_(progress) {
    if (form == PixelForm::BlackWhite) {
      // The bits of each row start clear; the padding after them stays 0xFF.
      for (int y = 0; y < height; ++y)
        std::fill_n(bytes_.begin() + std::ptrdiff_t(std::size_t(y) * row_bytes_),
                    std::size_t(width + 7) / 8, std::uint8_t{0});
    }
    platform::Report(progress_, 0);
  }
  RowWriter Row(int y) {
    std::uint8_t* row = bytes_.data() + std::size_t(mirror_y_ ? height_ - 1 - y : y) * row_bytes_;
    return RowWriter(row, width_, mirror_x_, bgr_);
  }
  void RowDone(int y) {
    if (progress_)
      progress_(std::min(98, (y + 1) * 100 / std::max(height_, 1)));
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  int width_;
  int height_;
  bool mirror_x_;
  bool mirror_y_;
  bool bgr_;
  std::size_t row_bytes_;
  std::vector<std::uint8_t> bytes_;
  const platform::Progress& progress_;
};

// In a keyed picture an opaque pixel that would show as the transparent colour is
// nudged to the darkest colour above it, as keying nudges opaque black.
void NudgeOffBlack(std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  if ((r | g | b) == 0) {
    const auto& tables = ColourTables();
    r = tables[0]->level[1];
    g = tables[1]->level[1];
    b = tables[2]->level[1];
  }
}

// Floyd-Steinberg in reading order: what a pixel could not show (its error, in
// sixteenths) goes 7/16 to the pixel on the right and 3/16, 5/16 and 1/16 to the pixels
// below left, below and below right. The errors of the row above are kept, `Channels`
// values a pixel with a pixel of room on either side, and each pixel gathers its shares
// from them; the share from the left is carried along the row.
template <int Channels>
class ErrorRows {
 public:
  explicit ErrorRows(int width)
      : above_(std::size_t(width + 2) * Channels, 0), current_(above_.size(), 0) {}
  // The errors of the row above and those of the row being shown, from pixel 0 on.
  [[nodiscard]] const int* Above() const { return above_.data() + Channels; }
  int* Current() { return current_.data() + Channels; }
  void NextRow() { std::swap(above_, current_); }

 private:
  std::vector<int> above_;
  std::vector<int> current_;
};

// What a pixel receives from the row above, `e` pointing at the error above it.
template <int Channels>
int FromAbove(const int* e) {
  return (e[-Channels] + 5 * e[0] + 3 * e[Channels] + 8) >> 4;
}

// `keyed` is a template argument, so the unkeyed loop carries no test for it.
template <bool keyed, class Sink>
void DiffuseColour(const WorkingBitmap& bitmap, Sink& sink) {
  const auto& tables = ColourTables();
  const Diffused* five = tables[0]->diffused.data() + kColourReach;
  const Diffused* six = tables[1]->diffused.data() + kColourReach;
  const int w = bitmap.Width();
  ErrorRows<3> errors(w);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto out = sink.Row(y);
    const std::uint8_t* p = bitmap.Row(y);
    const int* above = errors.Above();
    int* kept = errors.Current();
    int right_r = 0;
    int right_g = 0;
    int right_b = 0;
    for (int x = 0; x < w; ++x, p += 3, above += 3, kept += 3) {
      // Transparent pixels stay exact and take and give no error.
      if (keyed && IsBlack(p)) {
        out.Colour(x, 0, 0, 0);
        right_r = Keep(kept, 0);
        right_g = Keep(kept + 1, 0);
        right_b = Keep(kept + 2, 0);
        continue;
      }
      int r = 16 * p[0] + FromAbove<3>(above) + right_r;
      int g = 16 * p[1] + FromAbove<3>(above + 1) + right_g;
      int b = 16 * p[2] + FromAbove<3>(above + 2) + right_b;
      // One test for the three channels, without a branch between them.
      if (int(BeyondReach(r, kColourReach)) | int(BeyondReach(g, kColourReach)) |
          int(BeyondReach(b, kColourReach))) [[unlikely]] {
        r = WithinReach(r, kColourReach);
        g = WithinReach(g, kColourReach);
        b = WithinReach(b, kColourReach);
      }
      const Diffused& step_r = five[r];
      const Diffused& step_g = six[g];
      const Diffused& step_b = five[b];
      if (keyed && (step_r.level | step_g.level | step_b.level) == 0) [[unlikely]] {
        std::uint8_t level_r = 0, level_g = 0, level_b = 0;
        NudgeOffBlack(level_r, level_g, level_b);
        out.Colour(x, level_r, level_g, level_b);
        right_r = Keep(kept, r - 16 * level_r);
        right_g = Keep(kept + 1, g - 16 * level_g);
        right_b = Keep(kept + 2, b - 16 * level_b);
        continue;
      }
      out.Colour(x, step_r.level, step_g.level, step_b.level);
      kept[0] = step_r.error;
      kept[1] = step_g.error;
      kept[2] = step_b.error;
      right_r = step_r.right_share;
      right_g = step_g.right_share;
      right_b = step_b.right_share;
    }
    errors.NextRow();
    sink.RowDone(y);
  }
}

template <class Sink>
void DiffuseBlackWhite(const WorkingBitmap& bitmap, bool keyed, int threshold, Sink& sink) {
  const int w = bitmap.Width();
  const int ink_below = 16 * threshold;
  ErrorRows<1> errors(w);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto out = sink.Row(y);
    const std::uint8_t* p = bitmap.Row(y);
    const int* above = errors.Above();
    int* kept = errors.Current();
    int right = 0;
    for (int x = 0; x < w; ++x, p += 3, ++above, ++kept) {
      if (keyed && IsBlack(p)) {
        out.Grey(x, true);
        right = Keep(kept, 0);
        continue;
      }
      const int wanted = WithinReach(Luma16(p) + FromAbove<1>(above) + right, kBlackWhiteReach);
      // All ones for ink; a mask, since ink and white follow no pattern a branch could
      // foresee.
      const int ink = -static_cast<int>(wanted < ink_below);
      out.Grey(x, ink != 0);
      right = Keep(kept, wanted - (~ink & kMaxSixteenths));
    }
    errors.NextRow();
    sink.RowDone(y);
  }
}

template <class Sink>
void OrderedColour(const WorkingBitmap& bitmap, bool keyed, Sink& sink) {
  const auto& tables = ColourTables();
  const auto& five = tables[0]->ordered;
  const auto& six = tables[1]->ordered;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto out = sink.Row(y);
    const std::uint8_t* p = bitmap.Row(y);
    const auto& entries = kBayer[std::size_t(y & 7)];
    for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
      if (keyed && IsBlack(p)) {
        out.Colour(x, 0, 0, 0);  // transparent pixels stay exact
        continue;
      }
      const std::size_t entry = entries[std::size_t(x & 7)];
      std::uint8_t r = five[entry][p[0]];
      std::uint8_t g = six[entry][p[1]];
      std::uint8_t b = five[entry][p[2]];
      if (keyed)
        NudgeOffBlack(r, g, b);
      out.Colour(x, r, g, b);
    }
    sink.RowDone(y);
  }
}

// Black_White without diffusion: ink below the threshold, or, ordered, below the
// threshold spread by the matrix evenly around it as far as it can go without passing
// 0 or 255, so a threshold of 0 inks nothing, white never inks and black always does
// once the threshold is above 0.
template <class Sink>
void ThresholdBlackWhite(const WorkingBitmap& bitmap, bool keyed, int threshold, bool ordered,
                         Sink& sink) {
  std::array<long long, 64> below{};  // 64000 x the luma each entry inks below
  const long long spread = std::min(threshold, 255 - threshold);
  for (int entry = 0; entry < 64; ++entry)
    below[std::size_t(entry)] =
        ordered ? 1000LL * (64LL * threshold + (2 * entry - 63) * spread) : 64000LL * threshold;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto out = sink.Row(y);
    const std::uint8_t* p = bitmap.Row(y);
    const auto& entries = kBayer[std::size_t(y & 7)];
    for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
      // A grey of exactly the threshold is not ink.
      out.Grey(x, (keyed && IsBlack(p)) || 64LL * Luma1000(p) < below[entries[std::size_t(x & 7)]]);
    }
    sink.RowDone(y);
  }
}

// Sends the panel's colours of the picture to the sink.
template <class Sink>
void Show(const WorkingBitmap& bitmap, PixelForm form, const EncodeSettings& settings, Sink& sink) {
  const bool keyed = settings.keyed;
  if (form == PixelForm::R5G6B5) {
    if (settings.dither == Dither::Diffusion)
      keyed ? DiffuseColour<true>(bitmap, sink) : DiffuseColour<false>(bitmap, sink);
    else
      OrderedColour(bitmap, keyed, sink);
    return;
  }
  const int threshold = settings.bw_threshold >= 0 ? settings.bw_threshold : kDefaultThreshold;
  // A threshold of 0 inks nothing, whatever error would gather.
  if (settings.dither == Dither::Diffusion && threshold > 0)
    DiffuseBlackWhite(bitmap, keyed, threshold, sink);
  else
    ThresholdBlackWhite(bitmap, keyed, threshold, settings.dither == Dither::Ordered, sink);
}

}  // namespace

bool ChangesColours(PixelForm form, const EncodeSettings& settings) {
  if (form == PixelForm::R5G6B5)
    return settings.dither != Dither::None;
  if (form == PixelForm::BlackWhite)
    return settings.dither != Dither::None || settings.bw_threshold >= 0;
  return false;
}

WorkingBitmap PanelColours(const WorkingBitmap& bitmap, PixelForm form,
                           const EncodeSettings& settings) {
  if (!ChangesColours(form, settings) || bitmap.Empty())
    return bitmap;
  PictureSink sink(bitmap);
  Show(bitmap, form, settings, sink);
  return sink.Take();
}

std::vector<std::uint8_t> EncodePanelColours(const WorkingBitmap& bitmap, PixelForm form,
                                             const EncodeSettings& settings,
                                             const platform::Progress& progress) {
  const std::int64_t size = EncodedSize(form, bitmap.Width(), bitmap.Height(), settings.nand);
  if (!ChangesColours(form, settings) || bitmap.Empty() || size <= 0)
    return EncodePicture(bitmap, form, settings, progress);
  EncodedSink sink(bitmap.Width(), bitmap.Height(), form, settings, std::size_t(size), progress);
  Show(bitmap, form, settings, sink);
  return sink.Take();
}

}  // namespace picture
