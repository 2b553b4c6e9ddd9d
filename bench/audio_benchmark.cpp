// WAV conversion: parsing and the sample copy for the common choices, over a minute of
// CD-rate stereo (about 10 MB), the size of the longest sounds modules carry.
#include <benchmark/benchmark.h>

#include "audio/pcm_output.h"
#include "audio/wav_header.h"
#include "audio/wav_test_files.h"

namespace {

constexpr std::size_t kDataBytes = 44100 * 4 * 60;

const audio::test::Bytes& MinuteOfStereo() {
  static const audio::test::Bytes file = [] {
    audio::test::Bytes wav = audio::test::WavHeader(2, 16, 44100);
    audio::test::AddChunk(wav, "fact", {0, 0, 0, 0});
    audio::test::AddChunk(wav, "LIST", audio::test::Counting(100));
    audio::test::AddChunk(wav, "data", audio::test::Counting(kDataBytes));
    return wav;
  }();
  return file;
}

void BM_ParseWav(benchmark::State& state) {
  const auto& file = MinuteOfStereo();
  for (auto _ : state)
    benchmark::DoNotOptimize(audio::ParseWav(file));
}
BENCHMARK(BM_ParseWav);

// Arguments: channel choice, bit choice, speed index.
void BM_ConvertPcm(benchmark::State& state) {
  const auto& file = MinuteOfStereo();
  const audio::WavInfo info = audio::ParseWav(file);
  const audio::OutputChoice choice{int(state.range(0)), int(state.range(1)), int(state.range(2))};
  int reports = 0;
  const platform::Progress progress = [&reports](int) { ++reports; };
  std::size_t out_bytes = 0;
  for (auto _ : state) {
    const auto out = audio::ConvertPcm(file, info, choice, progress);
    out_bytes = out->size();
    benchmark::DoNotOptimize(out->data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kDataBytes));
  state.counters["out_MB"] = double(out_bytes) / 1e6;
  state.counters["reports"] = double(reports) / double(state.iterations());
}
BENCHMARK(BM_ConvertPcm)
    ->Args({audio::kTwoChannel, audio::kSixteenBits, 0})
    ->Args({audio::kLeftChannel, audio::kEightBits, 0})
    ->Args({audio::kLeftChannel, audio::kEightBits, 2})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
