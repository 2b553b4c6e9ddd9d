#include "picture/gif_run.h"

#include <new>

#include "picture/gif_frames.h"
#include "picture/messages.h"
#include "picture/rotation.h"
#include "platform/paths.h"

namespace picture {

std::string FrameListingLine(int width, int height, std::uint32_t offset, std::uint32_t size,
                             const std::string& name, int frame_index) {
  return ListingLine(width, height, offset, size, name) + "-Frames" + std::to_string(frame_index) +
         "\n";
}

GifRun::GifRun(std::vector<GifEntry> entries, int convert_index, int convert_count,
               std::string output_path, platform::CodePage page)
    : entries_(std::move(entries)),
      output_(std::move(output_path), page),
      convert_index_(convert_index),
      convert_count_(convert_count) {}

StepOutcome GifRun::Step(const GifSettings& settings, const platform::Progress& progress) {
  if (output_.Stopped())
    return {};
  output_.Log("//" + std::to_string(convert_index_));
  if (convert_index_ < 0 || static_cast<std::size_t>(convert_index_) >= entries_.size())
    return FailOn("");
  const GifEntry& entry = entries_[static_cast<std::size_t>(convert_index_)];
  try {
    StepOutcome outcome = ConvertFrames(entry, settings, progress);
    if (!outcome.stopped)
      ++convert_index_;
    return outcome;
  } catch (const std::bad_alloc&) {
    // A screen within the limits can still be more than this machine holds.
    return FailOn(entry.name, entry.path + ": out of memory");
  }
}

StepOutcome GifRun::ConvertFrames(const GifEntry& entry, const GifSettings& settings,
                                  const platform::Progress& progress) {
  auto gif = LoadGif(entry.path);
  if (!gif)
    return FailOn(entry.name, entry.path + ": " + gif.error().text);
  ClearCanvas(*gif, frame_canvas_);
  const PixelForm form = settings.Form();
  StepOutcome outcome;
  for (std::size_t i = 0; i < gif->frames.size(); ++i) {
    platform::Report(progress, 0);
    DrawGifFrame(gif->frames[i], frame_canvas_);
    frame_bitmap_ = RotatePicture(frame_canvas_, settings.rotation_index);
    const int width = frame_bitmap_.Width();
    const int height = frame_bitmap_.Height();
    item_size_ = EncodedSize(form, width, height, settings.nand);
    // Offsets and sizes must stay within the module's signed 32-bit tables.
    if (!output_.Fits(item_size_))
      return FailOn(entry.name, entry.path +
                                    ": the frames pass the 2 GiB a resource file's "
                                    "signed 32-bit offsets reach");
    const std::vector<std::uint8_t> bytes =
        EncodePicture(frame_bitmap_, form, settings.Encode(), progress);
    const std::string line =
        FrameListingLine(width, height, static_cast<std::uint32_t>(output_.NextAddress()),
                         static_cast<std::uint32_t>(item_size_), entry.name, static_cast<int>(i));
    if (!output_.Store(bytes, line, outcome))
      return outcome;
    platform::Report(progress, 100);
  }
  return outcome;
}

RunReport ConvertGifs(const std::vector<std::string>& paths, const std::string& output_path,
                      const GifSettings& settings, platform::CodePage page,
                      const platform::Progress& progress) {
  std::vector<GifEntry> entries;
  for (const std::string& path : paths)
    entries.push_back({path, platform::BareName(path)});
  GifRun run(std::move(entries), 0, static_cast<int>(paths.size()), output_path, page);
  RunReport report;
  auto take = [&report, &run](const StepOutcome& step) { return report.Take(step, run.Log()); };
  do {
    if (!take(run.Step(settings, progress)))
      return report;
  } while (run.HasMore());
  take(run.Finish());
  return report;
}

}  // namespace picture
