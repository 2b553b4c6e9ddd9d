#include "audio/pcm_output.h"

#include <algorithm>
#include <vector>

#include "audio/wav_messages.h"
#include "platform/read_limits.h"

namespace audio {

namespace {

// Which bytes of a frame go out, in order, for each source and choice.
platform::Result<std::vector<int>> BytesOfFrame(const WavInfo& info, const OutputChoice& choice) {
  const bool stereo = info.channels == 2;
  const bool sixteen = info.bits_per_sample == 16;
  if (sixteen && choice.bits != kEightBits && choice.bits != kSixteenBits)
    return platform::Error(kUnsupportedBits);
  const bool left = choice.channel == kLeftChannel;
  const bool right = choice.channel == kRightChannel;
  const bool two = choice.channel == kTwoChannel;
  if (stereo ? !(left || right || two) : !(left || right))
    return platform::Error(kUnsupportedFormat);
  if (sixteen && choice.bits == kSixteenBits) {
    if (!stereo || left)
      return std::vector<int>{0, 1};
    return right ? std::vector<int>{2, 3} : std::vector<int>{0, 1, 2, 3};
  }
  if (sixteen) {  // the high byte of each sample, a signed byte as stored
    if (!stereo || left)
      return std::vector<int>{1};
    return right ? std::vector<int>{3} : std::vector<int>{1, 3};
  }
  if (!stereo || left)
    return std::vector<int>{0};
  return right ? std::vector<int>{1} : std::vector<int>{0, 1};
}

}  // namespace

std::uint32_t SpeedDivisor(int speed_index) {
  if (speed_index < 0 || speed_index > 4)
    return 1;
  return 1u << speed_index;
}

OutputSize ComputeOutputSize(const WavInfo& info, const OutputChoice& choice) {
  OutputSize size;
  size.bytes = info.data_size;
  if (info.channels == 2 && choice.channel != kTwoChannel)
    size.bytes /= 2;
  if (info.bits_per_sample == 16 && choice.bits == kEightBits) {
    size.bytes /= 2;
  } else if (info.bits_per_sample == 8 && choice.bits != kEightBits) {
    size.warning = kEightBitsOnly;
    size.bytes *= 2;
  }
  size.bytes /= SpeedDivisor(choice.speed);
  return size;
}

platform::Result<platform::Bytes> ConvertPcm(std::span<const std::uint8_t> file,
                                             const WavInfo& info, const OutputChoice& choice,
                                             const platform::Progress& progress) {
  if (!info.data_found)
    return platform::Error(kNoDataChunk);
  if (!info.format_accepted)
    return platform::Error(kUnsupportedFormat);
  const OutputSize size = ComputeOutputSize(info, choice);
  if (size.warning)
    return platform::Error(*size.warning);
  const auto picked = BytesOfFrame(info, choice);
  if (!picked)
    return picked.error();

  const std::uint64_t frame = std::uint64_t{info.channels} * info.bits_per_sample / 8;
  const std::uint64_t step = frame * SpeedDivisor(choice.speed);
  // The file was read again, so its data chunk may have become shorter since parsing.
  const std::uint64_t present = file.size() > info.data_start ? file.size() - info.data_start : 0;
  const std::uint64_t data_size = std::min<std::uint64_t>(info.data_size, present);
  const std::uint8_t* data = file.data() + std::min<std::uint64_t>(info.data_start, file.size());
  platform::Bytes out;
  out.reserve(size.bytes);
  int reported = -1;
  for (std::uint64_t pos = 0; pos < data_size && out.size() < size.bytes; pos += step) {
    for (const int offset : *picked) {
      if (out.size() == size.bytes || pos + offset >= data_size)
        break;
      out.push_back(data[pos + offset]);
    }
    // Reporting every sample would cost more than the copying; a percent step is
    // frequent enough for the window to stay responsive.
    const int percent = static_cast<int>(out.size() * 100 / size.bytes);
    if (percent != reported) {
      reported = percent;
      platform::Report(progress, percent);
    }
  }
  platform::Report(progress, 100);
  return out;
}

platform::Result<platform::Bytes> ConvertWavFile(const std::string& path, const WavInfo& info,
                                                 const OutputChoice& choice,
                                                 const platform::Progress& progress) {
  // The 8-bit warning comes before the file is read again.
  if (const OutputSize size = ComputeOutputSize(info, choice); size.warning)
    return platform::Error(*size.warning);
  const auto file = platform::ReadFile(path, platform::kWavFileLimit);
  if (!file)
    return platform::Because(platform::Error(kOpenFileFailed), path, file.error().text);
  return ConvertPcm(*file, info, choice, progress);
}

}  // namespace audio
