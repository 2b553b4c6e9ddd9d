#pragma once
// Test fixtures of the builder: a fresh bin folder with resource files and address lists,
// removed when the test ends, and a complete "[INFO]" command list.

#include <string>
#include <vector>

#include "builder/builder_types.h"
#include "temp_folder.h"

namespace builder::testing {

class BinFolder : public tools::TempFolder {
 public:
  // The folder with its trailing separator, as the resource list pairs it with names.
  [[nodiscard]] std::string Folder() const { return Path(); }

  // A resource file of `size` bytes, each byte its own fill value.
  void WriteResource(const std::string& name, std::size_t size, std::uint8_t fill = 0x5A) const {
    Write(name, std::vector<std::uint8_t>(size, fill));
  }
  // Entry lines "{w, h, 0xOFFSET, 0xSIZE},//name", CR LF ended, as the converters write them.
  void WriteAddressList(const std::string& name, const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines)
      text += line + "\r\n";
    Write(name, text);
  }
};

// A project's command list: a complete "[INFO]" section, then "[USERCMD]" and `commands`.
inline CommandList ProjectLines(const std::vector<std::string>& commands = {}) {
  CommandList lines{" ",
                    "[INFO]",
                    "PCVersion:16",
                    "COMPort:SPI",
                    "Baudrate:115200",
                    "PCBVersion:21",
                    "MCUBit:16",
                    "MCUType:STM",
                    "MrlType:MX-3",
                    "MrlIF:8080-16",
                    "XSIZE:800",
                    "YSIZE:480",
                    "VBPD:23",
                    "VFPD:22",
                    "VSPW:3",
                    "HBPD:46",
                    "HFPD:210",
                    "HSPW:20",
                    "PCLKRISING:1",
                    "HSYNCPolarity:0",
                    "VSYNCPolarity:0",
                    "DEPolarity:1",
                    "RGBSequence:BGR",
                    "ColorDepth:24",
                    "FlashType:NOR",
                    "FlashSize:16",
                    " ",
                    "[USERCMD]"};
  lines.insert(lines.end(), commands.begin(), commands.end());
  return lines;
}

// "{w, h, 0xOFFSET, 0xSIZE},//name" as the picture converter writes it.
inline std::string EntryText(int width, int height, unsigned offset, unsigned size,
                             const std::string& name) {
  char text[80];
  std::snprintf(text, sizeof text, "{%d, %d, 0x%08X, 0x%08X},//", width, height, offset, size);
  return text + name;
}

}  // namespace builder::testing
