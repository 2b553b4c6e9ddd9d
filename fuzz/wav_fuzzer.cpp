// WAV files parsed, sized for a chosen channel, width and speed, converted and listed.
#include "audio/pcm_output.h"
#include "audio/sound_resource.h"
#include "audio/wav_header.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckInfo(const audio::WavInfo& info, std::size_t size) {
  FUZZ_REQUIRE(info.file_size == size);
  if (info.data_found) {
    FUZZ_REQUIRE(info.data_start <= size);
    FUZZ_REQUIRE(info.data_start + info.data_size <= size);
  }
  if (info.format_accepted) {
    FUZZ_REQUIRE(info.channels == 1 || info.channels == 2);
    FUZZ_REQUIRE(info.bits_per_sample == 8 || info.bits_per_sample == 16);
  }
  for (const platform::Message& message : info.messages)
    FUZZ_REQUIRE(!message.text.empty());
  // Refused files say why; a data chunk alone is no reason to stay silent.
  if (!info.Convertible())
    FUZZ_REQUIRE(!info.messages.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const audio::WavInfo info = audio::ParseWav(input);
  CheckInfo(info, size);

  fuzz::Choices choices(input);
  audio::OutputChoice choice;
  choice.channel = choices.Next(4) - 1;
  choice.bits = choices.Next(4) - 1;
  choice.speed = choices.Next(6) - 1;
  const audio::OutputSize expected = audio::ComputeOutputSize(info, choice);
  if (!info.Convertible())
    return 0;
  const auto samples = audio::ConvertPcm(input, info, choice);
  if (!samples) {
    FUZZ_REQUIRE(fuzz::ClearError(samples.error()));
    return 0;
  }
  FUZZ_REQUIRE(samples->size() <= expected.bytes);
  FUZZ_REQUIRE(samples->size() <= std::uint64_t{info.data_size} * 2);

  audio::ListingFields fields{"fuzz.wav", choice, info.samples_per_sec, expected.bytes};
  FUZZ_REQUIRE(audio::SoundListingLines(fields).size() == 6);
  return 0;
}
