#include "bootimage/boot_settings.h"

#include <algorithm>

#include "platform/decimal_field.h"

namespace bootimage {
namespace {

const std::array<NumberFieldInfo, kNumberFieldCount> kNumberFields{{
    {"EditXSIZE", "xsize", "Hs Size(X)", 1024},
    {"EditHSPW", "hspw", "HS Pulse Width", 20},
    {"EditHSBP", "hsbp", "HS Back-Porch", 140},
    {"EditHSFP", "hsfp", "HS Front-Porch", 160},
    {"EditYSIZE", "ysize", "Vs Size(Y)", 600},
    {"EditVSPW", "vspw", "VS Pulse Width", 3},
    {"EditVSBP", "vsbp", "VS Back-Porch", 20},
    {"EditVSFP", "vsfp", "VS Front-Porch", 12},
    {"EditFlashAddr", "picaddr", "Picture Address", 512},
    {"EditCCLKOD", "cclk-od", "CCLK_OD", 2},
    {"EditCCLKR", "cclk-r", "CCLK_R", 5},
    {"EditCCLK", "cclk-n", "CCLK_N", 80},
    {"EditMCLKOD", "mclk-od", "MCLK_OD", 2},
    {"EditMCLKR", "mclk-r", "MCLK_R", 5},
    {"EditMCLK", "mclk-n", "MCLK_N", 100},
    {"EditSCLKOD", "sclk-od", "SCLK_OD", 2},
    {"EditSCLKR", "sclk-r", "SCLK_R", 5},
    {"EditSCLK", "sclk-n", "SCLK_N", 65},
    {"EditPPre", "pwmpre", "PWM Pre", 19},
    {"EditPWMT", "pwmt", "PWM(T)", 100},
    {"EditPWM", "pwmduty", "PWM(%)", 70},
}};

const std::array<ChoiceListInfo, kChoiceListCount> kChoiceLists{{
    {"ComboBoxLCDIF",
     "lcdif",
     {"16bit TFT", "18bit TFT", "24bit TFT"},
     {2, 1, 0},
     0,
     0,
     "16bit TFT"},
    {"ComboBoxLCDRGB",
     "rgborder",
     {"RGB", "RBG", "GRB", "GBR", "BRG", "BGR"},
     {0, 1, 2, 3, 4, 5},
     0,
     0,
     "RGB"},
    {"ComboBoxColorIF", "depth", {"8bpp", "16bpp", "24bpp"}, {0, 1, 2}, 1, 1, "16bpp"},
    {"ComboBoxSPIReadCmd",
     "readcmd",
     {"03h - Normal Read", "0Bh - Faster Read", "1Bh - Faster Read", "3Bh", "BBh"},
     {0, 4, 8, 2, 3},
     0,
     0,
     "03h - Normal Read"},
    {"ComboBoxFlashAddrMode", "addr32", {"24bits", "32bits"}, {0, 1}, 0, 0, "24bits"},
    {"ComboBoxCANVASMODE",
     "canvas",
     {"Linear - 8bits", "Linear - 16bits", "Block - 8bpp", "Block - 16bpp", "Block - 24bpp"},
     {4, 5, 0, 1, 2},
     2,
     3,
     "Block - 16bpp"},
    // The speed list opens with no item selected; its text still reads "DIV 4".
    {"ComboBoxSpeed",
     "speed",
     {"DIV 2", "DIV 4", "DIV 6", "DIV 8", "DIV 10", "DIV 12", "DIV 14", "DIV 16"},
     {0, 1, 2, 3, 4, 5, 6, 7},
     1,
     -1,
     "DIV 4"},
    {"ComboBoxSPI", "spisel", {"SPI0", "SPI1"}, {0, 1}, 0, 1, "SPI1"},
}};

int CodeOf(ChoiceList list, int item_index) {
  const ChoiceListInfo& info = kChoiceLists[list];
  if (item_index < 0 || item_index >= static_cast<int>(info.codes.size()))
    return info.no_item_code;
  return info.codes[static_cast<std::size_t>(item_index)];
}

// The module's PLL takes an output divider of 0..3 and an input divider of 2..31.
void ClampPll(std::array<std::int32_t, kNumberFieldCount>& n, NumberField od, NumberField r) {
  n[od] = std::min(n[od], 3);
  n[r] = std::clamp(n[r], 2, 31);
}

}  // namespace

const NumberFieldInfo& InfoOf(NumberField field) {
  return kNumberFields[field];
}

const ChoiceListInfo& InfoOf(ChoiceList list) {
  return kChoiceLists[list];
}

int ItemIndexOf(ChoiceList list, const std::string& text) {
  const std::vector<std::string>& items = kChoiceLists[list].items;
  const auto found = std::find(items.begin(), items.end(), text);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

BootForm::BootForm() {
  for (int field = 0; field < kNumberFieldCount; ++field)
    numbers[field] = std::to_string(kNumberFields[field].default_value);
  for (int list = 0; list < kChoiceListCount; ++list)
    item_indices[list] = kChoiceLists[list].default_index;
}

platform::Result<BootSettings> ReadBootSettings(const BootForm& form) {
  BootSettings settings;
  for (int field = 0; field < kNumberFieldCount; ++field) {
    auto value = platform::ParseDecimalField(form.numbers[field], kNumberFields[field].label);
    if (!value)
      return value.error();
    settings.numbers[field] = *value;
  }
  for (int list = 0; list < kChoiceListCount; ++list)
    settings.codes[list] = CodeOf(static_cast<ChoiceList>(list), form.item_indices[list]);
  settings.pclk_fall = form.pclk_fall;
  settings.hs_high = form.hs_high;
  settings.vs_high = form.vs_high;
  settings.de_low = form.de_low;
  settings.de_mode = form.de_mode;

  auto& n = settings.numbers;
  ClampPll(n, kCclkOd, kCclkR);
  ClampPll(n, kMclkOd, kMclkR);
  ClampPll(n, kSclkOd, kSclkR);
  n[kPwmPre] = std::min(n[kPwmPre], 255);
  n[kPwmT] = std::min(n[kPwmT], 65535);
  n[kPwmDuty] = std::min(n[kPwmDuty], n[kPwmT]);
  return settings;
}

}  // namespace bootimage
