#include "bootimage/boot_script.h"

#include <algorithm>
#include <array>

namespace bootimage {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic{'a', 'r', 'w', 'c', 'w', 'b', 'x', 'g'};
constexpr std::uint8_t kEntryMark = 0x11;
constexpr std::uint8_t kWriteTag = 0x13;
constexpr std::uint8_t kSecondWriteTag = 0x12;  // the repeated entry for register 0x01
constexpr std::uint8_t kGap = 0xAA;

std::uint8_t LowByte(std::int32_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

class ScriptWriter {
 public:
  explicit ScriptWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  void Magic() { bytes_.insert(bytes_.end(), kMagic.begin(), kMagic.end()); }
  void Entry(std::uint8_t reg, std::int32_t value, std::uint8_t tag = kWriteTag) {
    bytes_.insert(bytes_.end(), {kEntryMark, reg, tag, LowByte(value)});
  }
  // Entries for consecutive registers starting at `first`.
  void Entries(std::uint8_t first, std::initializer_list<std::int32_t> values) {
    for (std::int32_t value : values)
      Entry(first++, value);
  }
  // A 16-bit value as low byte then bits 8..15 in two consecutive registers; a negative
  // value shifts arithmetically, so -1 gives FF FF.
  void Pair(std::uint8_t first, std::int32_t value) { Entries(first, {value, value >> 8}); }
  void Gap(std::size_t length) { bytes_.insert(bytes_.end(), length, kGap); }
  void Terminator() { bytes_.push_back(0x00); }

 private:
  std::vector<std::uint8_t>& bytes_;
};

// A PLL's divider register: OD in bits 6..7, R in bits 1..5, bit 8 of N in bit 0.
std::int32_t PllDividers(std::int32_t od, std::int32_t r, std::int32_t n) {
  return (od * 64) | (r * 2) | ((n >> 8) & 1);
}

// Porch and pulse registers count in units of 8 pixels, minus one.
std::int32_t EightPixelUnits(std::int32_t pixels) {
  return pixels >= 8 ? pixels / 8 - 1 : 0;
}

}  // namespace

platform::Result<std::int32_t> RefreshCount(std::int32_t mclk_n) {
  if (mclk_n == 0 || 1000 / mclk_n == 0)
    return platform::Error("Division by zero: MCLK_N must be from 1 to 1000, it is " +
                           std::to_string(mclk_n));
  return 7812 / (1000 / mclk_n) - 2;
}

platform::Result<std::vector<std::uint8_t>> BuildBootScript(const BootSettings& s) {
  const auto refresh = RefreshCount(s[kMclkN]);
  if (!refresh)
    return refresh.error();
  const std::int32_t k = *refresh;
  // Above 80 the core clock is held at 80 and the memory clock at 100, whatever is typed.
  const bool held = s[kCclkN] > 80;
  const std::int32_t n_c = held ? 80 : s[kCclkN];
  const std::int32_t n_m = held ? 100 : s[kMclkN];
  const std::int32_t x = s[kXSize];
  const std::int32_t y = s[kYSize];
  const std::int32_t lcd_if = (s.Code(kLcdIf) * 8) | 0x82;
  const std::int32_t pclk = s.Code(kRgbOrder) | (s.pclk_fall ? 0x80 : 0);
  const std::int32_t sync = (s.hs_high ? 0x80 : 0) | (s.vs_high ? 0x40 : 0) | (s.de_low ? 0x20 : 0);
  const std::int32_t spi =
      (s.Code(kSpiSel) == 1 ? 0xC0 : 0x40) | (s.Code(kAddr32) ? 0x20 : 0) | s.Code(kReadCmd);

  std::vector<std::uint8_t> bytes;
  bytes.reserve(kBootScriptSize);
  ScriptWriter w(bytes);
  w.Magic();
  w.Entry(0x05, PllDividers(s[kSclkOd], s[kSclkR], s[kSclkN]));
  w.Entry(0x06, s[kSclkN]);
  w.Entry(0x07, PllDividers(s[kMclkOd], s[kMclkR], n_m));
  w.Entry(0x08, n_m);
  w.Entry(0x09, PllDividers(s[kCclkOd], s[kCclkR], n_c));
  w.Entry(0x0A, n_c);
  w.Entry(0x00, 0x80);
  w.Gap(4);
  w.Entry(0x01, lcd_if);
  w.Entry(0x01, lcd_if, kSecondWriteTag);
  w.Entry(0x02, 0x40);
  w.Gap(4);
  w.Entries(0xE0, {0x29, 0x03});
  w.Pair(0xE2, k);
  w.Entry(0xE4, 0x01);
  w.Gap(10);
  w.Entry(0x10, (s.Code(kDepth) * 4) | (s.de_mode ? 1 : 0));
  w.Entry(0x12, pclk);
  w.Entry(0x13, sync);
  w.Entry(0x14, x / 8 - 1);
  w.Entry(0x15, x % 8);
  w.Pair(0x1A, y - 1);
  w.Entry(0x16, EightPixelUnits(s[kHsbp]));
  w.Entry(0x17, s[kHsbp] >= 8 ? s[kHsbp] % 8 : s[kHsbp]);
  w.Entry(0x18, EightPixelUnits(s[kHsfp]));
  w.Entry(0x19, EightPixelUnits(s[kHspw]));
  w.Pair(0x1C, s[kVsbp] - 1);
  w.Entry(0x1E, s[kVsfp] - 1);
  w.Entry(0x1F, s[kVspw] - 1);
  w.Entry(0xBB, s.Code(kSpeed));
  w.Entries(0x20, {0, 0, 0, 0});
  w.Pair(0x24, x);
  w.Entries(0x26, {0, 0, 0, 0});
  w.Gap(4);
  w.Entries(0x50, {0, 0, 0, 0});
  w.Pair(0x54, x);
  w.Entries(0x56, {0, 0, 0, 0});
  w.Pair(0x5A, x);
  w.Pair(0x5C, y);
  w.Entry(0x5E, s.Code(kCanvas));
  const std::int32_t picture = s[kPicAddr];
  w.Entries(0xBC, {picture, picture >> 8, picture >> 16, picture >> 24});
  w.Entries(0xC0, {0, 0, 0, 0});
  w.Pair(0xC6, x);
  w.Pair(0xC8, y);
  w.Pair(0xCA, x);
  w.Entry(0xB7, spi);
  w.Entry(0xB6, 0x01);
  w.Gap(4);
  w.Entry(0x12, pclk | 0x40);
  w.Gap(4);
  w.Entry(0x84, s[kPwmPre]);
  w.Entry(0x85, 0x0A);
  w.Entry(0x87, 0x00);
  w.Pair(0x8C, s[kPwmT]);
  w.Pair(0x8E, s[kPwmDuty]);
  w.Entry(0x86, 0x30);
  w.Gap(4);
  w.Terminator();
  return bytes;
}

std::string BootScriptText(const std::vector<std::uint8_t>& script) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  auto append = [&text](std::uint8_t byte) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
    text += ' ';
  };
  const std::size_t magic = std::min(kMagic.size(), script.size());
  for (std::size_t i = 0; i < magic; ++i)
    append(script[i]);
  text += "//ID \r\n";
  for (std::size_t i = magic; i < script.size(); ++i) {
    const std::size_t body_index = i - magic;
    if (body_index > 0 && body_index % 4 == 0)
      text += "\r\n";
    append(script[i]);
  }
  return text;
}

}  // namespace bootimage
