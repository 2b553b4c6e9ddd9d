#pragma once
// The sound resource's samples: the output size B for the chosen channel, sample width
// and speed, and the sample bytes themselves, taken frame by frame from the data chunk.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "audio/wav_header.h"
#include "platform/file_io.h"
#include "platform/message.h"
#include "platform/progress.h"

namespace audio {

// The "BIN Message" choices as item indexes (-1: no item selected).
struct OutputChoice {
  int channel = kNoChannel;  // ChannelChoice
  int bits = kEightBits;     // BitChoice
  int speed = 0;             // "1:1", "1:2", "1:4", "1:8", "1:16"
};

// Keep one frame in 1, 2, 4, 8 or 16; 1 when no speed item is selected.
std::uint32_t SpeedDivisor(int speed_index);

struct OutputSize {
  std::uint64_t bytes = 0;  // B
  // "8bits wav files,Please didn't select 16bits bin data" for an 8-bit file with a wider
  // bit choice; B is then the doubled size the window shows.
  std::optional<std::string> warning;
};

OutputSize ComputeOutputSize(const WavInfo& info, const OutputChoice& choice);

// B bytes of samples (fewer only when the data chunk runs out first). Refuses the
// choices the converter cannot serve with the window's texts. `file` is the whole WAV
// file; nothing outside its data chunk is read.
platform::Result<platform::Bytes> ConvertPcm(std::span<const std::uint8_t> file,
                                             const WavInfo& info, const OutputChoice& choice,
                                             const platform::Progress& progress = {});

// Reads the WAV file again and converts it ("打开文件失败!" when it cannot be read).
platform::Result<platform::Bytes> ConvertWavFile(const std::string& path, const WavInfo& info,
                                                 const OutputChoice& choice,
                                                 const platform::Progress& progress = {});

}  // namespace audio
