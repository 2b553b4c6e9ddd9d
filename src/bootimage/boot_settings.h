#pragma once
// The boot settings: what the boot image window's controls hold (BootForm, texts as
// typed, list indices) and the checked, clamped numbers the script is built from
// (BootSettings).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/message.h"

namespace bootimage {

// The 21 numeric fields, in the order the window lists them.
enum NumberField : int {
  kXSize,
  kHspw,
  kHsbp,
  kHsfp,
  kYSize,
  kVspw,
  kVsbp,
  kVsfp,
  kPicAddr,
  kCclkOd,
  kCclkR,
  kCclkN,
  kMclkOd,
  kMclkR,
  kMclkN,
  kSclkOd,
  kSclkR,
  kSclkN,
  kPwmPre,
  kPwmT,
  kPwmDuty,
  kNumberFieldCount
};

struct NumberFieldInfo {
  const char* control;  // the edit field of the window
  const char* option;   // the `dravick boot` option without its dashes
  const char* label;    // names the field in messages
  std::int32_t default_value;
};

const NumberFieldInfo& InfoOf(NumberField field);

// The eight choice lists.
enum ChoiceList : int {
  kLcdIf,
  kRgbOrder,
  kDepth,
  kReadCmd,
  kAddr32,
  kCanvas,
  kSpeed,
  kSpiSel,
  kChoiceListCount
};

struct ChoiceListInfo {
  const char* control;
  const char* option;
  std::vector<std::string> items;  // in list order
  std::vector<int> codes;          // the code of each item
  int no_item_code;                // when the text was typed over or no item was selected
  int default_index;               // -1: the list opens with no item selected
  std::string default_text;        // what the list shows when the window opens
};

const ChoiceListInfo& InfoOf(ChoiceList list);

// The index of `text` among the list's items, or -1.
int ItemIndexOf(ChoiceList list, const std::string& text);

// The controls as the user left them; a fresh one holds the window's defaults.
struct BootForm {
  BootForm();

  std::array<std::string, kNumberFieldCount> numbers;
  std::array<int, kChoiceListCount> item_indices;  // -1 when no item is selected
  bool pclk_fall = true;
  bool hs_high = false;
  bool vs_high = false;
  bool de_low = false;
  bool de_mode = false;
};

struct BootSettings {
  std::array<std::int32_t, kNumberFieldCount> numbers{};
  std::array<int, kChoiceListCount> codes{};
  bool pclk_fall = false;
  bool hs_high = false;
  bool vs_high = false;
  bool de_low = false;
  bool de_mode = false;

  std::int32_t operator[](NumberField field) const { return numbers[field]; }
  int Code(ChoiceList list) const { return codes[list]; }
};

// Converts every field and maps the lists, then applies the limits (OD at most 3, R 2..31,
// PWM Pre at most 255, PWM(T) at most 65535, PWM(%) at most PWM(T)). A field that is not
// a decimal number stops with a message naming it.
platform::Result<BootSettings> ReadBootSettings(const BootForm& form);

}  // namespace bootimage
