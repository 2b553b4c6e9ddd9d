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

// The levels of a 5- or 6-bit channel as the panel shows them, widened by bit
// replication, and for each 8-bit value the highest level not above it.
struct Levels {
  int count = 0;
  std::array<std::uint8_t, 64> value{};
  std::array<std::uint8_t, 256> floor{};
};

Levels MakeLevels(int bits) {
  Levels levels;
  levels.count = 1 << bits;
  for (int k = 0; k < levels.count; ++k)
    levels.value[std::size_t(k)] = static_cast<std::uint8_t>(k << (8 - bits) | k >> (2 * bits - 8));
  int k = 0;
  for (int v = 0; v < 256; ++v) {
    while (k + 1 < levels.count && levels.value[std::size_t(k + 1)] <= v)
      ++k;
    levels.floor[std::size_t(v)] = static_cast<std::uint8_t>(k);
  }
  return levels;
}

// R, G, B of R5G6B5.
const std::array<Levels, 3>& ColourLevels() {
  static const std::array<Levels, 3> levels{MakeLevels(5), MakeLevels(6), MakeLevels(5)};
  return levels;
}

bool IsBlack(const std::uint8_t* p) {
  return (p[0] | p[1] | p[2]) == 0;
}

void SetGrey(std::uint8_t* o, std::uint8_t value) {
  o[0] = o[1] = o[2] = value;
}

// 1000 x the luma the threshold is compared with.
int Luma1000(const std::uint8_t* p) {
  return 299 * p[0] + 587 * p[1] + 114 * p[2];
}

// The level whose fraction of the step to the next level exceeds the matrix entry.
int OrderedLevel(const Levels& levels, int value, int entry) {
  int k = levels.floor[std::size_t(value)];
  if (k + 1 < levels.count) {
    const int step = levels.value[std::size_t(k + 1)] - levels.value[std::size_t(k)];
    if (128 * (value - levels.value[std::size_t(k)]) > (2 * entry + 1) * step)
      ++k;
  }
  return k;
}

// The level nearest a value given in sixteenths (0 .. 16 x 255).
int NearestLevel(const Levels& levels, int sixteenths) {
  const int k = levels.floor[std::size_t(sixteenths >> 4)];
  if (k + 1 < levels.count && 16 * levels.value[std::size_t(k + 1)] - sixteenths <
                                  sixteenths - 16 * levels.value[std::size_t(k)])
    return k + 1;
  return k;
}

// Ordered Black_White: the matrix spreads the threshold evenly around its value, as far
// as it can without passing 0 or 255, so a threshold of 0 inks nothing, white never inks
// and black always does once the threshold is above 0.
bool OrderedInk(int luma1000, int threshold, int entry) {
  const long long spread = std::min(threshold, 255 - threshold);
  return 64LL * luma1000 < 1000LL * (64LL * threshold + (2 * entry - 63) * spread);
}

// Stores the R5G6B5 levels of a pixel; in a keyed picture an opaque pixel that would
// show as the transparent colour is nudged to the darkest colour above it, as keying
// nudges opaque black.
void StoreColourLevels(std::array<int, 3>& level, bool keyed, std::uint8_t* o) {
  if (keyed && level[0] == 0 && level[1] == 0 && level[2] == 0)
    level = {1, 1, 1};
  for (std::size_t c = 0; c < 3; ++c)
    o[c] = ColourLevels()[c].value[std::size_t(level[c])];
}

// Floyd-Steinberg over the picture in reading order. `quantise(pixel, carried, out,
// error)` shows a source pixel given the errors carried to it (sixteenths, per channel)
// and sets what it could not show; it returns false for a pixel that takes and gives no
// error. The error goes 7/16 right, 3/16 below left, 5/16 below, 1/16 below right.
template <int Channels, class Quantise>
WorkingBitmap Diffuse(const WorkingBitmap& bitmap, Quantise quantise) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  WorkingBitmap out(w, h);
  const std::size_t row_size = std::size_t(w + 2) * Channels;
  std::vector<int> current(row_size, 0);
  std::vector<int> below(row_size, 0);
  for (int y = 0; y < h; ++y) {
    std::swap(current, below);
    std::fill(below.begin(), below.end(), 0);
    const std::uint8_t* in = bitmap.Row(y);
    std::uint8_t* o = out.Row(y);
    for (int x = 0; x < w; ++x, in += 3, o += 3) {
      const std::size_t at = std::size_t(x + 1) * Channels;
      std::array<int, Channels> error{};
      if (!quantise(in, &current[at], o, error))
        continue;
      for (std::size_t c = 0; c < std::size_t(Channels); ++c) {
        const int e = error[c];
        const int right = e * 7 / 16;
        const int below_left = e * 3 / 16;
        const int straight_below = e * 5 / 16;
        current[at + Channels + c] += right;
        below[at - Channels + c] += below_left;
        below[at + c] += straight_below;
        below[at + Channels + c] += e - right - below_left - straight_below;
      }
    }
  }
  return out;
}

int Carried(int value, int carried) {
  return std::clamp(16 * value + carried, 0, 16 * 255);
}

WorkingBitmap ColourPanel(const WorkingBitmap& bitmap, const EncodeSettings& settings) {
  const auto& levels = ColourLevels();
  const bool keyed = settings.keyed;
  if (settings.dither == Dither::Diffusion) {
    return Diffuse<3>(bitmap, [&levels, keyed](const std::uint8_t* p, const int* carried,
                                               std::uint8_t* o, std::array<int, 3>& error) {
      if (keyed && IsBlack(p)) {
        SetGrey(o, 0);
        return false;
      }
      std::array<int, 3> wanted{};
      std::array<int, 3> level{};
      for (std::size_t c = 0; c < 3; ++c) {
        wanted[c] = Carried(p[c], carried[c]);
        level[c] = NearestLevel(levels[c], wanted[c]);
      }
      StoreColourLevels(level, keyed, o);
      for (std::size_t c = 0; c < 3; ++c)
        error[c] = wanted[c] - 16 * o[c];
      return true;
    });
  }
  WorkingBitmap out(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* p = bitmap.Row(y);
    std::uint8_t* o = out.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 3, o += 3) {
      if (keyed && IsBlack(p)) {
        SetGrey(o, 0);
        continue;
      }
      const int entry = kBayer[std::size_t(y & 7)][std::size_t(x & 7)];
      std::array<int, 3> level{};
      for (std::size_t c = 0; c < 3; ++c)
        level[c] = OrderedLevel(levels[c], p[c], entry);
      StoreColourLevels(level, keyed, o);
    }
  }
  return out;
}

WorkingBitmap BlackWhitePanel(const WorkingBitmap& bitmap, const EncodeSettings& settings) {
  const bool keyed = settings.keyed;
  const int threshold = settings.bw_threshold >= 0 ? settings.bw_threshold : kDefaultThreshold;
  if (settings.dither == Dither::Diffusion) {
    return Diffuse<1>(bitmap, [keyed, threshold](const std::uint8_t* p, const int* carried,
                                                 std::uint8_t* o, std::array<int, 1>& error) {
      if (keyed && IsBlack(p)) {
        SetGrey(o, 0);
        return false;
      }
      const int wanted = std::clamp((16 * Luma1000(p) + 500) / 1000 + carried[0], 0, 16 * 255);
      const std::uint8_t shown = wanted < 16 * threshold ? 0 : 255;
      SetGrey(o, shown);
      error[0] = wanted - 16 * shown;
      return true;
    });
  }
  WorkingBitmap out(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* p = bitmap.Row(y);
    std::uint8_t* o = out.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 3, o += 3) {
      bool ink = keyed && IsBlack(p);
      if (!ink && settings.dither == Dither::Ordered)
        ink = OrderedInk(Luma1000(p), threshold, kBayer[std::size_t(y & 7)][std::size_t(x & 7)]);
      else if (!ink)
        ink = Luma1000(p) < 1000 * threshold;  // a grey of exactly the threshold is not ink
      SetGrey(o, ink ? 0 : 255);
    }
  }
  return out;
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
  return form == PixelForm::R5G6B5 ? ColourPanel(bitmap, settings)
                                   : BlackWhitePanel(bitmap, settings);
}

}  // namespace picture
