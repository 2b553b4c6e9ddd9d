#pragma once
// A command list whose "[INFO]" part holds every module key, so a build gets past the
// module info to the resource tables and the user commands after it.

#include "builder/builder_types.h"

namespace fuzz {

inline builder::CommandList ModuleProject(const builder::CommandList& user_commands) {
  builder::CommandList lines = {
      "[INFO]",       "PCVersion:16",    "COMPort:UART",  "Baudrate:115200", "PCBVersion:2.1",
      "MCUBit:32",    "MCUType:STM",     "MrlType:MX-3",  "MrlIF:8080-16",   "XSIZE:480",
      "YSIZE:272",    "VBPD:12",         "VFPD:4",        "VSPW:10",         "HBPD:43",
      "HFPD:8",       "HSPW:41",         "PCLKRISING:1",  "HSYNCPolarity:0", "VSYNCPolarity:0",
      "DEPolarity:1", "RGBSequence:RGB", "ColorDepth:16", "FlashType:NOR",   "FlashSize:16",
      "[USERCMD]"};
  lines.insert(lines.end(), user_commands.begin(), user_commands.end());
  return lines;
}

}  // namespace fuzz
