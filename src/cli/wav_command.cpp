// `dravick wav`: "Input wav file", the "BIN Message" choices and "Convert" of the WAV
// window.
#include <map>

#include "audio/pcm_output.h"
#include "audio/sound_resource.h"
#include "audio/wav_header.h"
#include "audio/wav_messages.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "platform/output_name.h"

namespace cli {

namespace {

struct WavOptions {
  std::string channel;  // empty: what loading the file selects
  std::string bits;
  std::string speed = "1";
  std::string output;
  std::string input;
  Common common;
};

int Run(const WavOptions& options) {
  const Common& common = options.common;
  const auto info = audio::LoadWav(options.input);
  if (!info)
    return Print(info.error(), common);
  for (const platform::Message& message : info->messages)
    Print(message, common);
  if (!info->Convertible())
    return kFailed;

  const std::map<std::string, int> channels{
      {"left", audio::kLeftChannel}, {"right", audio::kRightChannel}, {"two", audio::kTwoChannel}};
  const std::map<std::string, int> bits{{"8", audio::kEightBits}, {"16", audio::kSixteenBits}};
  const std::map<std::string, int> speeds{{"1", 0}, {"2", 1}, {"4", 2}, {"8", 3}, {"16", 4}};
  // The options' checks admit only these names; an unset one keeps the loaded choice.
  auto chosen = [](const std::map<std::string, int>& names, const std::string& name, int unset) {
    const auto found = names.find(name);
    return found == names.end() ? unset : found->second;
  };
  audio::OutputChoice choice;
  choice.channel = chosen(channels, options.channel, info->channel_choice);
  choice.bits = chosen(bits, options.bits, info->bit_choice);
  choice.speed = chosen(speeds, options.speed, 0);

  const auto samples =
      audio::ConvertWavFile(options.input, *info, choice, ProgressBar(common, "wav"));
  if (!samples)
    return Print(samples.error(), common);
  const auto output = platform::OutputPathFor(options.output);
  if (!output)
    return Print(output.error(), common);
  Notice(audio::kStartToConvert, common);
  const auto listing =
      audio::SoundListingLines({options.input, choice, info->samples_per_sec, samples->size()});
  return Print(audio::WriteSoundResource(*output, *samples, listing,
                                         platform::TextCodePage(common.traditional_locale),
                                         options.input),
               common);
}

}  // namespace

void AddWavCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<WavOptions>();
  CLI::App* command =
      app.add_subcommand("wav", "Convert a WAV file into a sound resource file and its listing");
  command->add_option("--channel", options->channel, "Channel (default: by the channel count)")
      ->check(CLI::IsMember({"left", "right", "two"}));
  command->add_option("--bits", options->bits, "Output bits (default: the file's)")
      ->check(CLI::IsMember({"8", "16"}));
  command->add_option("--speed", options->speed, "Keep one frame in 1, 2, 4, 8 or 16")
      ->check(CLI::IsMember({"1", "2", "4", "8", "16"}));
  command->add_option("-o", options->output, "Sound resource file name")->required();
  command->add_option("IN.wav", options->input, "WAV file")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
