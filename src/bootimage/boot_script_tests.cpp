#include "bootimage/boot_script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bootimage {
namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::istringstream in(hex);
  std::vector<std::uint8_t> bytes;
  std::string pair;
  while (in >> pair)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  return bytes;
}

// The default settings' script, written out from the register table.
const char* const kDefaultScript = R"(
61 72 77 63 77 62 78 67
11 05 13 8A 11 06 13 41 11 07 13 8A 11 08 13 64 11 09 13 8A 11 0A 13 50 11 00 13 80 AA AA AA AA
11 01 13 92 11 01 12 92 11 02 13 40 AA AA AA AA
11 E0 13 29 11 E1 13 03 11 E2 13 0B 11 E3 13 03 11 E4 13 01 AA AA AA AA AA AA AA AA AA AA
11 10 13 04 11 12 13 80 11 13 13 00 11 14 13 7F 11 15 13 00 11 1A 13 57 11 1B 13 02
11 16 13 10 11 17 13 04 11 18 13 13 11 19 13 01 11 1C 13 13 11 1D 13 00 11 1E 13 0B
11 1F 13 02 11 BB 13 01
11 20 13 00 11 21 13 00 11 22 13 00 11 23 13 00 11 24 13 00 11 25 13 04
11 26 13 00 11 27 13 00 11 28 13 00 11 29 13 00 AA AA AA AA
11 50 13 00 11 51 13 00 11 52 13 00 11 53 13 00 11 54 13 00 11 55 13 04
11 56 13 00 11 57 13 00 11 58 13 00 11 59 13 00 11 5A 13 00 11 5B 13 04
11 5C 13 58 11 5D 13 02 11 5E 13 01
11 BC 13 00 11 BD 13 02 11 BE 13 00 11 BF 13 00
11 C0 13 00 11 C1 13 00 11 C2 13 00 11 C3 13 00
11 C6 13 00 11 C7 13 04 11 C8 13 58 11 C9 13 02 11 CA 13 00 11 CB 13 04
11 B7 13 C0 11 B6 13 01 AA AA AA AA 11 12 13 C0 AA AA AA AA
11 84 13 13 11 85 13 0A 11 87 13 00 11 8C 13 64 11 8D 13 00 11 8E 13 46 11 8F 13 00
11 86 13 30 AA AA AA AA 00
)";

std::vector<std::uint8_t> ScriptFor(const BootForm& form) {
  const auto settings = ReadBootSettings(form);
  EXPECT_TRUE(settings.ok());
  auto script = BuildBootScript(*settings);
  EXPECT_TRUE(script.ok());
  return script.ok() ? *script : std::vector<std::uint8_t>{};
}

TEST(BootScript, DefaultSettingsGiveTheDefaultScript) {
  const std::vector<std::uint8_t> script = ScriptFor(BootForm{});
  EXPECT_EQ(script.size(), kBootScriptSize);
  EXPECT_EQ(script, FromHex(kDefaultScript));
}

struct EntryCase {
  const char* name;
  std::vector<std::pair<NumberField, const char*>> numbers;
  std::vector<std::pair<ChoiceList, const char*>> items;
  // (offset of the entry, register, expected value byte)
  std::vector<std::array<int, 3>> entries;
};

// gtest shows a case by its name, not by its bytes.
void PrintTo(const EntryCase& c, std::ostream* out) {
  *out << c.name;
}

class BootScriptEntries : public testing::TestWithParam<EntryCase> {};

TEST_P(BootScriptEntries, CarryTheirValues) {
  const EntryCase& c = GetParam();
  BootForm form;
  for (const auto& [field, text] : c.numbers)
    form.numbers[field] = text;
  for (const auto& [list, text] : c.items)
    form.item_indices[list] = ItemIndexOf(list, text);
  const std::vector<std::uint8_t> script = ScriptFor(form);
  ASSERT_EQ(script.size(), kBootScriptSize);
  for (const auto& [offset, reg, value] : c.entries) {
    SCOPED_TRACE("offset " + std::to_string(offset));
    EXPECT_EQ(script[offset], 0x11);
    EXPECT_EQ(script[offset + 1], reg);
    EXPECT_EQ(script[offset + 3], value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BootScriptEntries,
    testing::Values(
        EntryCase{"CoreClockAbove80HoldsBothPlls",
                  {{kCclkN, "81"}, {kMclkN, "120"}},
                  {},
                  {{28, 0x0A, 0x50}, {20, 0x08, 0x64}, {64, 0xE2, 0xCE}, {68, 0xE3, 0x03}}},
        EntryCase{"CoreClockUpTo80KeepsTypedValues",
                  {{kCclkN, "80"}, {kMclkN, "120"}},
                  {},
                  {{28, 0x0A, 80}, {20, 0x08, 120}, {64, 0xE2, 0xCE}}},
        EntryCase{
            "NineBitClockSetsBitZero", {{kSclkN, "300"}}, {}, {{8, 0x05, 0x8B}, {12, 0x06, 0x2C}}},
        EntryCase{"ClampedDividers",
                  {{kCclkR, "0"}, {kMclkR, "40"}, {kSclkOd, "5"}},
                  {},
                  {{24, 0x09, 0x84}, {16, 0x07, 0xBE}, {8, 0x05, 0xCA}}},
        EntryCase{"MclkOf1000", {{kMclkN, "1000"}}, {}, {{64, 0xE2, 0x82}, {68, 0xE3, 0x1E}}},
        EntryCase{"DutyAbovePeriod", {{kPwmDuty, "150"}}, {}, {{350, 0x8E, 100}, {354, 0x8F, 0}}},
        EntryCase{"BackPorch7", {{kHsbp, "7"}}, {}, {{114, 0x16, 0}, {118, 0x17, 7}}},
        EntryCase{"BackPorch8", {{kHsbp, "8"}}, {}, {{114, 0x16, 0}, {118, 0x17, 0}}},
        EntryCase{"FrontPorchAndPulseBelow8",
                  {{kHsfp, "7"}, {kHspw, "3"}},
                  {},
                  {{122, 0x18, 0}, {126, 0x19, 0}}},
        EntryCase{"Width1023",
                  {{kXSize, "1023"}},
                  {},
                  {{98, 0x14, 126}, {102, 0x15, 7}, {166, 0x24, 0xFF}, {170, 0x25, 0x03}}},
        EntryCase{"Width0", {{kXSize, "0"}}, {}, {{98, 0x14, 0xFF}, {102, 0x15, 0}}},
        EntryCase{"VerticalBackPorch0", {{kVsbp, "0"}}, {}, {{130, 0x1C, 0xFF}, {134, 0x1D, 0xFF}}},
        EntryCase{"PictureAddress70000",
                  {{kPicAddr, "70000"}},
                  {},
                  {{254, 0xBC, 0x70}, {258, 0xBD, 0x11}, {262, 0xBE, 0x01}, {266, 0xBF, 0x00}}},
        EntryCase{"Spi0With32BitAddressesAndFastRead",
                  {},
                  {{kSpiSel, "SPI0"}, {kAddr32, "32bits"}, {kReadCmd, "0Bh - Faster Read"}},
                  {{310, 0xB7, 0x64}}},
        EntryCase{"PanelInterfaceAndColours",
                  {},
                  {{kLcdIf, "18bit TFT"},
                   {kRgbOrder, "BGR"},
                   {kDepth, "24bpp"},
                   {kCanvas, "Linear - 8bits"},
                   {kSpeed, "DIV 16"}},
                  {{40, 0x01, 0x8A},
                   {44, 0x01, 0x8A},
                   {86, 0x10, 0x08},
                   {90, 0x12, 0x85},
                   {322, 0x12, 0xC5},
                   {250, 0x5E, 4},
                   {146, 0xBB, 7}}}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

TEST(BootScript, PolaritiesAndDeMode) {
  BootForm form;
  form.pclk_fall = false;
  form.hs_high = form.vs_high = form.de_low = form.de_mode = true;
  const std::vector<std::uint8_t> script = ScriptFor(form);
  EXPECT_EQ(script[86 + 3], 0x05);   // 0x10: depth 16bpp, DE mode
  EXPECT_EQ(script[90 + 3], 0x00);   // 0x12: PCLK rising
  EXPECT_EQ(script[94 + 3], 0xE0);   // 0x13
  EXPECT_EQ(script[322 + 3], 0x40);  // 0x12 again, display on
}

TEST(BootScript, MclkThatMakesTheDivisionZeroIsRefused) {
  for (const char* typed : {"0", "1001", "-2000"}) {
    SCOPED_TRACE(typed);
    BootForm form;
    form.numbers[kMclkN] = typed;
    const auto settings = ReadBootSettings(form);
    ASSERT_TRUE(settings.ok());
    const auto script = BuildBootScript(*settings);
    ASSERT_FALSE(script.ok());
    EXPECT_EQ(script.error().text,
              std::string("Division by zero: MCLK_N must be from 1 to 1000, it is ") + typed);
  }
}

TEST(BootScriptText, FourBytesPerLineAfterTheMagicLine) {
  const std::string text = BootScriptText(ScriptFor(BootForm{}));
  EXPECT_EQ(text.substr(0, 31), "61 72 77 63 77 62 78 67 //ID \r\n");
  EXPECT_EQ(text.substr(31, 14), "11 05 13 8A \r\n");
  // The 10-byte gap run shifts the lines off the entry boundaries.
  EXPECT_NE(text.find("AA AA AA AA \r\nAA AA AA AA \r\nAA AA 11 10 \r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with(" 11 86 \r\n13 30 AA AA \r\nAA AA 00 "));
  // 359 body bytes: 90 lines, the last holding only the terminator.
  EXPECT_EQ(text.size(), 31 + 359 * 3 + 89 * 2);
}

}  // namespace
}  // namespace bootimage
