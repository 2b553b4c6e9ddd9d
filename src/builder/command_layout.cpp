#include "builder/command_layout.h"

namespace builder {
namespace {

bool Between(int value, int first, int last) {
  return value >= first && value <= last;
}

// Widths of the opcodes whose arguments are not all one byte. `j` is the argument index.
int WidthOfPlain(int opcode, int j) {
  switch (opcode) {
    case 0x80:
      return (j % 4 == 2 || j % 4 == 3) ? 2 : 1;
    case 0x81:
    case 0x82:
      return Between(j, 1, 2) ? 2 : 1;
    case 0x83:
      return j >= 1 ? 2 : 1;
    case 0x88:
      return Between(j, 2, 5) ? 2 : 1;
    case 0x90:
    case 0x9B:
    case 0xA0:
      return Between(j, 2, 3) ? 2 : 1;
    case 0x94:
      return Between(j, 10, 11) ? 3 : Between(j, 4, 6) ? 2 : 1;
    case 0xB0:
      return (j == 4 || j == 9) ? 3 : (j <= 1 || j == 8) ? 2 : 1;
    case 0xB1:
      return Between(j, 5, 6) ? 3 : (j <= 1 || j == 4) ? 2 : 1;
    case 0xB2:
      return (j == 6 || j == 7 || j == 11 || j == 12 || j == 16 || j == 17) ? 3
             : (j <= 1 || j == 5 || j == 10 || j == 15)                     ? 2
                                                                            : 1;
    case 0xD9:
    case 0xDA:
      return j <= 1 ? 2 : 1;
    case 0xDC:
      return j == 4 ? 3 : j == 5 ? 1 : 2;
    case 0xDF:
      return j == 2 ? 3 : 1;
    case 0xE0:
      return j == 4 ? 3 : j <= 3 ? 2 : 1;
    case 0xE1:
    case 0xE2:
      return j >= 3 ? 3 : 2;
    case 0xE3:
      return Between(j, 3, 4) ? 3 : j <= 2 ? 2 : 1;
    case 0xE4:
    case 0xE5:
    case 0xE7:
    case 0xE8:
      return j == 4 ? 3 : 2;
    case 0xE6:
    case 0xE9:
      return Between(j, 4, 5) ? 3 : j <= 3 ? 2 : 1;
    case 0xEA:
    case 0xEB:
    case 0xED:
    case 0xEE:
    case 0xEF:
      return j >= 6 ? 3 : 2;
    case 0xEC:
      return Between(j, 6, 7) ? 3 : j <= 5 ? 2 : 1;
    case 0xF0:
    case 0xF1:
      return j == 8 ? 3 : 2;
    case 0xF2:
    case 0xF3:
      return j == 10 ? 3 : 2;
    case 0xF4:
      return Between(j, 5, 6) ? 3 : j == 7 ? 1 : 2;
    case 0xF5:
      return Between(j, 6, 7) ? 3 : j == 8 ? 1 : 2;
    case 0xF6:
      return Between(j, 6, 8) ? 3 : j <= 3 ? 2 : 1;
    default:
      break;
  }
  if (opcode == 0x98 || Between(opcode, 0xC4, 0xC7) || Between(opcode, 0xD0, 0xD8)) {
    return j <= 1 ? 2 : 1;
  }
  if (Between(opcode, 0xC0, 0xC3)) {
    return Between(j, 3, 4) ? 3 : Between(j, 1, 2) ? 2 : 1;
  }
  if (Between(opcode, 0xF7, 0xFE)) {
    return j == 4 ? 3 : 2;
  }
  return 1;  // 9Ah, 9Ch, B4h, B8h
}

bool HasEncoding(int opcode) {
  switch (opcode) {
    case 0x80:
    case 0x81:
    case 0x82:
    case 0x83:
    case 0x88:
    case 0x90:
    case 0x94:
    case 0x98:
    case 0x9A:
    case 0x9B:
    case 0x9C:
    case 0xA0:
    case 0xB0:
    case 0xB1:
    case 0xB2:
    case 0xB4:
    case 0xB8:
    case 0xDC:
    case 0xDF:
      return true;
    default:
      return Between(opcode, 0xC0, 0xC7) || Between(opcode, 0xD0, 0xDA) ||
             Between(opcode, 0xE0, 0xFE);
  }
}

}  // namespace

std::optional<CommandLayout> LayoutOf(int opcode) {
  if (!HasEncoding(opcode)) {
    return std::nullopt;
  }
  switch (opcode) {
    case 0x80:
      return CommandLayout{true, 5};
    case 0x81:
      return CommandLayout{true, 4};
    case 0x9B:
    case 0xA0:
      return CommandLayout{true, 9};
    case 0x9A:
    case 0xB4:
    case 0xD9:
    case 0xDA:
      return CommandLayout{true, 1};
    default:
      return CommandLayout{false, 1};
  }
}

int ArgumentWidth(int opcode, CommandForm form, int index) {
  if (opcode == 0x88 && form == CommandForm::Gif) {
    return (index == 2 || index == 3) ? 2 : 1;
  }
  if (opcode == 0x90 && form == CommandForm::PictureSet) {
    return (index == 1 || index == 2) ? 2 : 1;
  }
  return WidthOfPlain(opcode, index);
}

}  // namespace builder
