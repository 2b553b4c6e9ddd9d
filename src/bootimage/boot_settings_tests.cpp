#include "bootimage/boot_settings.h"

#include <gtest/gtest.h>

namespace bootimage {
namespace {

TEST(BootSettings, FreshFormGivesTheWindowDefaults) {
  const auto settings = ReadBootSettings(BootForm{});
  ASSERT_TRUE(settings.ok());
  EXPECT_EQ((*settings)[kXSize], 1024);
  EXPECT_EQ((*settings)[kMclkN], 100);
  EXPECT_EQ((*settings)[kPwmDuty], 70);
  EXPECT_EQ(settings->Code(kLcdIf), 2);
  EXPECT_EQ(settings->Code(kCanvas), 1);
  EXPECT_EQ(settings->Code(kSpeed), 1);  // no item selected, "DIV 4" shown
  EXPECT_EQ(settings->Code(kSpiSel), 1);
  EXPECT_TRUE(settings->pclk_fall);
}

TEST(BootSettings, LimitsAreApplied) {
  struct Case {
    NumberField field;
    const char* typed;
    std::int32_t expected;
  };
  const Case cases[] = {
      {kCclkR, "0", 2},      {kCclkR, "1", 2},        {kCclkR, "40", 31},     {kMclkR, "32", 31},
      {kSclkR, "2", 2},      {kCclkOd, "5", 3},       {kMclkOd, "3", 3},      {kSclkOd, "4", 3},
      {kPwmPre, "300", 255}, {kPwmT, "70000", 65535}, {kSclkN, "5000", 5000}, {kCclkN, "81", 81},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(InfoOf(c.field).label) + " = " + c.typed);
    BootForm form;
    form.numbers[c.field] = c.typed;
    const auto settings = ReadBootSettings(form);
    ASSERT_TRUE(settings.ok());
    EXPECT_EQ((*settings)[c.field], c.expected);
  }
}

TEST(BootSettings, DutyIsClampedToTheClampedPeriod) {
  BootForm form;
  form.numbers[kPwmDuty] = "150";
  EXPECT_EQ((*ReadBootSettings(form))[kPwmDuty], 100);
  form.numbers[kPwmT] = "90000";
  form.numbers[kPwmDuty] = "80000";
  EXPECT_EQ((*ReadBootSettings(form))[kPwmDuty], 65535);
}

TEST(BootSettings, ListsWithoutASelectedItemTakeTheirNoItemCode) {
  BootForm form;
  form.item_indices.fill(-1);
  const auto settings = ReadBootSettings(form);
  ASSERT_TRUE(settings.ok());
  const int expected[kChoiceListCount] = {0, 0, 1, 0, 0, 2, 1, 0};
  for (int list = 0; list < kChoiceListCount; ++list)
    EXPECT_EQ(settings->Code(static_cast<ChoiceList>(list)), expected[list]) << list;
}

TEST(BootSettings, ItemCodesFollowTheListOrder) {
  BootForm form;
  form.item_indices[kReadCmd] = ItemIndexOf(kReadCmd, "1Bh - Faster Read");
  form.item_indices[kCanvas] = ItemIndexOf(kCanvas, "Linear - 16bits");
  form.item_indices[kLcdIf] = ItemIndexOf(kLcdIf, "24bit TFT");
  const auto settings = ReadBootSettings(form);
  EXPECT_EQ(settings->Code(kReadCmd), 8);
  EXPECT_EQ(settings->Code(kCanvas), 5);
  EXPECT_EQ(settings->Code(kLcdIf), 0);
  EXPECT_EQ(ItemIndexOf(kSpeed, "DIV 5"), -1);
}

TEST(BootSettings, AFieldThatIsNotANumberIsNamed) {
  struct Case {
    NumberField field;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {kCclkN, "", "CCLK_N: '' is not a valid integer value"},
      {kXSize, "12a", "Hs Size(X): '12a' is not a valid integer value"},
      {kHsbp, " 8", "HS Back-Porch: ' 8' is not a valid integer value"},
      {kPicAddr, "99999999999", "Picture Address: '99999999999' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    BootForm form;
    form.numbers[c.field] = c.typed;
    const auto settings = ReadBootSettings(form);
    ASSERT_FALSE(settings.ok());
    EXPECT_EQ(settings.error(), platform::Error(c.message));
  }
}

TEST(BootSettings, SignedNumbersAreRead) {
  BootForm form;
  form.numbers[kVsbp] = "-3";
  form.numbers[kVsfp] = "+9";
  EXPECT_EQ((*ReadBootSettings(form))[kVsbp], -3);
  EXPECT_EQ((*ReadBootSettings(form))[kVsfp], 9);
}

}  // namespace
}  // namespace bootimage
