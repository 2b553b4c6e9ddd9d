#include "picture/conversion_run.h"

#include <deque>
#include <future>

#include "picture/messages.h"
#include "picture/rotation.h"

namespace picture {

platform::Result<WorkingBitmap> LoadPreviewPicture(const std::string& path, PictureKind kind,
                                                   const PictureSettings& settings) {
  auto loaded = LoadPicture(path, kind, settings.Load());
  if (!loaded)
    return loaded;
  if (settings.rotation_index == 1 || settings.rotation_index == 2) {
    return RotatePicture(*loaded, settings.rotation_index);
  }
  return loaded;
}

PictureRun::PictureRun(std::string output_path, int count, platform::CodePage page)
    : output_(std::move(output_path), page), convert_count_(count) {}

StepOutcome PictureRun::ConvertCurrent(const WorkingBitmap& preview, PictureKind kind,
                                       const std::string& path, const std::string& entry,
                                       const PictureSettings& settings,
                                       const platform::Progress& progress) {
  StepOutcome outcome;
  const int w = preview.Width();
  const int h = preview.Height();
  std::vector<std::uint8_t> bytes;
  if (kind == kPng && settings.argb_png) {
    item_size_ = EncodedSize(PixelForm::Argb4, w, h, settings.nand);
    auto argb = LoadArgbPicture(path, settings.rotation_index);
    if (argb) {
      bytes = EncodeArgb(*argb, settings.Encode(), progress);
    } else if (argb.error().kind == platform::MessageKind::Warning) {
      outcome.messages.push_back(argb.error());  // "The png don't have Alpha"
    } else {
      return output_.FailOn(entry, entry + ": " + argb.error().text);
    }
  } else {
    const PixelForm form = FormOfFormatIndex(settings.pixel_format_index);
    item_size_ = EncodedSize(form, w, h, settings.nand);
    if (item_size_ >= 0)
      bytes = EncodePicture(preview, form, settings.Encode(), progress);
  }
  if (!output_.Fits(item_size_)) {
    FailOn(entry, entry +
                      ": the pictures pass the 2 GiB a resource file's signed 32-bit "
                      "offsets reach");
    outcome.stopped = true;
    return outcome;
  }
  // The form's size is what the tables rely on: a PNG without alpha keeps its place,
  // filled with zeros.
  bytes.resize(static_cast<std::size_t>(item_size_), 0);
  const std::string line = ListingLine(w, h, static_cast<std::uint32_t>(output_.NextAddress()),
                                       static_cast<std::uint32_t>(item_size_), entry);
  if (!output_.Store(bytes, line, outcome))
    return outcome;
  ++convert_index_;
  platform::Report(progress, 100);
  return outcome;
}

RunReport ConvertPictures(const std::vector<std::string>& entries, const std::string& output_path,
                          const PictureSettings& settings, platform::CodePage page,
                          const platform::Progress& progress) {
  PictureRun run(output_path, static_cast<int>(entries.size()), page);
  RunReport report;
  auto take = [&report, &run](const StepOutcome& step) { return report.Take(step, run.Log()); };
  // The next pictures decode on other threads while the current one is encoded and
  // stored; they are taken in order, so the results are those of loading one after
  // another.
  struct Loaded {
    bool ok = true;
    WorkingBitmap preview;
    std::string reason;
  };
  auto load = [&entries, &settings](std::size_t index) {
    return std::async(std::launch::async, [&entries, &settings, index] {
      const std::string& entry = entries[index];
      const PictureKind kind = PictureKindOf(entry);
      Loaded loaded;
      if (kind == kNoPicture)
        return loaded;
      try {
        auto picture = LoadPreviewPicture(entry, kind, settings);
        loaded.ok = picture.ok();
        if (loaded.ok)
          loaded.preview = std::move(*picture);
        else
          loaded.reason = entry + ": " + picture.error().text;
      } catch (const std::bad_alloc&) {
        loaded = {false, {}, entry + ": out of memory"};
      }
      return loaded;
    });
  };
  constexpr std::size_t kDecodedAhead = 2;
  std::deque<std::future<Loaded>> ahead;
  std::size_t next_load = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    while (next_load < entries.size() && next_load <= i + kDecodedAhead) {
      ahead.push_back(load(next_load++));
    }
    const Loaded loaded = ahead.front().get();
    ahead.pop_front();
    const std::string& entry = entries[i];
    const bool converted =
        loaded.ok && take(run.ConvertCurrent(loaded.preview, PictureKindOf(entry), entry, entry,
                                             settings, progress));
    if (!converted) {
      if (!loaded.ok)
        take(run.FailOn(entry, loaded.reason));
      return report;  // pictures still decoding are waited for as `ahead` goes
    }
  }
  take(run.Finish());
  return report;
}

}  // namespace picture
