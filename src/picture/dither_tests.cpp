#include "picture/dither.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr Dither kEveryDither[] = {Dither::None, Dither::Ordered, Dither::Diffusion};

EncodeSettings WithDither(Dither dither, int threshold = -1, bool keyed = false) {
  EncodeSettings settings;
  settings.dither = dither;
  settings.bw_threshold = threshold;
  settings.keyed = keyed;
  return settings;
}

// R5G6B5 bytes back to the 8-bit colours the panel shows (bit replication).
WorkingBitmap PanelOfR5G6B5(const Bytes& bytes, int w, int h) {
  WorkingBitmap shown(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t at = (std::size_t(y) * w + x) * 2;
      const unsigned v = bytes[at] | bytes[at + 1] << 8;
      const unsigned r = v >> 11, g = (v >> 5) & 63, b = v & 31;
      shown.SetPixel(x, y,
                     {std::uint8_t(r << 3 | r >> 2), std::uint8_t(g << 2 | g >> 4),
                      std::uint8_t(b << 3 | b >> 2)});
    }
  }
  return shown;
}

bool InkAt(const Bytes& bytes, int w, int x, int y) {
  return (bytes[std::size_t(y) * ((w + 7) / 8) + x / 8] & (0x80 >> (x % 8))) != 0;
}

// Smooth ramps: red across, green down, blue across the other way.
WorkingBitmap Gradient(int w, int h) {
  WorkingBitmap bitmap(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bitmap.SetPixel(x, y,
                      {std::uint8_t(x * 255 / (w - 1)), std::uint8_t(y * 255 / (h - 1)),
                       std::uint8_t(255 - x * 255 / (w - 1))});
    }
  }
  return bitmap;
}

// The largest difference, over every 8 x 8 block and channel, between the block means.
double WorstBlockMeanError(const WorkingBitmap& a, const WorkingBitmap& b) {
  double worst = 0;
  for (int by = 0; by + 8 <= a.Height(); by += 8) {
    for (int bx = 0; bx + 8 <= a.Width(); bx += 8) {
      for (int c = 0; c < 3; ++c) {
        long difference = 0;
        for (int y = by; y < by + 8; ++y)
          for (int x = bx; x < bx + 8; ++x)
            difference += long(a.Row(y)[x * 3 + c]) - long(b.Row(y)[x * 3 + c]);
        worst = std::max(worst, std::abs(double(difference)) / 64.0);
      }
    }
  }
  return worst;
}

TEST(Dither, GradientBlockMeansStayWithinOneLevelWhereTruncationDoesNot) {
  const int w = 256;
  const int h = 128;
  const WorkingBitmap source = Gradient(w, h);
  const double truncated = WorstBlockMeanError(
      source, PanelOfR5G6B5(EncodePicture(source, PixelForm::R5G6B5, {}), w, h));
  EXPECT_GE(truncated, 3.0);
  for (const Dither dither : {Dither::Ordered, Dither::Diffusion}) {
    SCOPED_TRACE(int(dither));
    const Bytes bytes = EncodePicture(source, PixelForm::R5G6B5, WithDither(dither));
    const WorkingBitmap shown = PanelOfR5G6B5(bytes, w, h);
    EXPECT_LE(WorstBlockMeanError(source, shown), 1.0);
    // The preview shows what the bytes hold.
    EXPECT_EQ(PanelColours(source, PixelForm::R5G6B5, WithDither(dither)), shown);
  }
}

TEST(Dither, LevelsOfTheFormPassUnchanged) {
  // Colours the panel can show exactly stay as they are under every dither.
  WorkingBitmap exact(64, 8);
  for (int x = 0; x < 64; ++x) {
    const std::uint8_t r = std::uint8_t((x / 2) << 3 | (x / 2) >> 2);
    const std::uint8_t g = std::uint8_t(x << 2 | x >> 4);
    for (int y = 0; y < 8; ++y)
      exact.SetPixel(x, y, {r, g, r});
  }
  const Bytes plain = EncodePicture(exact, PixelForm::R5G6B5, {});
  for (const Dither dither : kEveryDither)
    EXPECT_EQ(EncodePicture(exact, PixelForm::R5G6B5, WithDither(dither)), plain) << int(dither);
}

TEST(Dither, HalfGreyWithDiffusionInksAboutHalfTheBlackWhitePixels) {
  const int w = 64;
  const int h = 64;
  const WorkingBitmap grey(w, h, Rgb{128, 128, 128});
  struct Case {
    Dither dither;
    double low, high;
  } cases[] = {{Dither::Diffusion, 0.45, 0.55}, {Dither::Ordered, 0.5, 0.5}};
  for (const Case& c : cases) {
    const Bytes bytes = EncodePicture(grey, PixelForm::BlackWhite, WithDither(c.dither));
    int ink = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ink += InkAt(bytes, w, x, y) ? 1 : 0;
    const double share = double(ink) / (w * h);
    EXPECT_GE(share, c.low) << int(c.dither);
    EXPECT_LE(share, c.high) << int(c.dither);
  }
  // White never inks and black always does, whatever the threshold.
  for (const Dither dither : {Dither::Ordered, Dither::Diffusion}) {
    for (const int threshold : {1, 128, 255}) {
      EXPECT_EQ(EncodePicture(WorkingBitmap(16, 2, Rgb{255, 255, 255}), PixelForm::BlackWhite,
                              WithDither(dither, threshold)),
                Bytes(4, 0x00));
      EXPECT_EQ(EncodePicture(WorkingBitmap(16, 2, Rgb{0, 0, 0}), PixelForm::BlackWhite,
                              WithDither(dither, threshold)),
                Bytes(4, 0xFF));
    }
  }
}

TEST(Dither, AThresholdInksExactlyThePixelsBelowIt) {
  // One pixel of every grey, then pure red, green and blue (luma 76.245, 149.685, 29.07).
  WorkingBitmap row(259, 1);
  for (int x = 0; x < 256; ++x)
    row.SetPixel(x, 0, {std::uint8_t(x), std::uint8_t(x), std::uint8_t(x)});
  row.SetPixel(256, 0, {255, 0, 0});
  row.SetPixel(257, 0, {0, 255, 0});
  row.SetPixel(258, 0, {0, 0, 255});
  const double luma[] = {76.245, 149.685, 29.07};
  for (const int threshold : {0, 1, 76, 77, 128, 150, 255}) {
    SCOPED_TRACE(threshold);
    const Bytes bytes =
        EncodePicture(row, PixelForm::BlackWhite, WithDither(Dither::None, threshold));
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(InkAt(bytes, 259, x, 0), x < threshold) << "grey " << x;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(InkAt(bytes, 259, 256 + i, 0), luma[i] < threshold) << "primary " << i;
  }
  // Without a threshold only exact black is ink.
  const Bytes exact = EncodePicture(row, PixelForm::BlackWhite, {});
  for (int x = 0; x < 259; ++x)
    EXPECT_EQ(InkAt(exact, 259, x, 0), x == 0) << x;
}

TEST(Dither, KeyedPixelsStayExactUnderEveryDither) {
  // A dark field with transparent (keyed black) pixels on a diagonal.
  const int w = 32;
  const int h = 16;
  WorkingBitmap keyed(w, h, Rgb{20, 12, 20});
  for (int y = 0; y < h; ++y)
    keyed.SetPixel(y * 2, y, {0, 0, 0});
  auto transparent = [](int x, int y) { return x == y * 2; };
  for (const Dither dither : kEveryDither) {
    SCOPED_TRACE(int(dither));
    const Bytes colour = EncodePicture(keyed, PixelForm::R5G6B5, WithDither(dither, -1, true));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::size_t at = (std::size_t(y) * w + x) * 2;
        const bool zero = colour[at] == 0 && colour[at + 1] == 0;
        ASSERT_EQ(zero, transparent(x, y)) << x << "," << y;
      }
    }
    for (const int threshold : {-1, 0, 200}) {
      const Bytes bw =
          EncodePicture(keyed, PixelForm::BlackWhite, WithDither(dither, threshold, true));
      for (int y = 0; y < h; ++y)
        ASSERT_TRUE(InkAt(bw, w, y * 2, y)) << "threshold " << threshold << " row " << y;
    }
  }
}

TEST(Dither, FormsThatHoldTheirColoursIgnoreIt) {
  const WorkingBitmap source = Gradient(40, 12);
  for (const Dither dither : kEveryDither) {
    const EncodeSettings settings = WithDither(dither, 100);
    EXPECT_EQ(EncodePicture(source, PixelForm::R8G8B8, settings),
              EncodePicture(source, PixelForm::R8G8B8, {}));
    EXPECT_FALSE(ChangesColours(PixelForm::R8G8B8, settings));
    EXPECT_FALSE(ChangesColours(PixelForm::Argb4, settings));
  }
  // A threshold is Black_White's alone.
  EXPECT_EQ(EncodePicture(source, PixelForm::R5G6B5, WithDither(Dither::None, 100)),
            EncodePicture(source, PixelForm::R5G6B5, {}));
}

TEST(Dither, TheBytesAreThePreviewEncodedWithEveryWalkAndPadding) {
  // An odd size, so that NAND rows get padding in both forms.
  const WorkingBitmap source = Gradient(37, 9);
  struct Case {
    PixelForm form;
    Dither dither;
    int threshold;
  } cases[] = {{PixelForm::R5G6B5, Dither::Ordered, -1},
               {PixelForm::R5G6B5, Dither::Diffusion, -1},
               {PixelForm::BlackWhite, Dither::None, 90},
               {PixelForm::BlackWhite, Dither::Ordered, -1},
               {PixelForm::BlackWhite, Dither::Diffusion, 200}};
  for (const Case& c : cases) {
    for (int walk = 0; walk < 16; ++walk) {
      EncodeSettings settings = WithDither(c.dither, c.threshold);
      settings.mirror_x = (walk & 1) != 0;
      settings.mirror_y = (walk & 2) != 0;
      settings.nand = (walk & 4) != 0;
      settings.colour_order_index = (walk & 8) != 0 ? 1 : 0;
      EncodeSettings exact = settings;
      exact.dither = Dither::None;
      exact.bw_threshold = -1;
      ASSERT_EQ(EncodePicture(source, c.form, settings),
                EncodePicture(PanelColours(source, c.form, settings), c.form, exact))
          << "form " << int(c.form) << " dither " << int(c.dither) << " walk " << walk;
    }
  }
}

TEST(Dither, MirroringStoresTheSameDitheredPicture) {
  const WorkingBitmap source = Gradient(24, 8);
  for (const Dither dither : {Dither::Ordered, Dither::Diffusion}) {
    EncodeSettings mirrored = WithDither(dither);
    mirrored.mirror_x = true;
    const Bytes plain = EncodePicture(source, PixelForm::R5G6B5, WithDither(dither));
    const Bytes flipped = EncodePicture(source, PixelForm::R5G6B5, mirrored);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 24; ++x)
        for (int b = 0; b < 2; ++b)
          ASSERT_EQ(flipped[std::size_t(y * 24 + x) * 2 + b],
                    plain[std::size_t(y * 24 + 23 - x) * 2 + b]);
  }
}

}  // namespace
}  // namespace picture
