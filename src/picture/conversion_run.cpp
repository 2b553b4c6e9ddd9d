#include "picture/conversion_run.h"

#include <limits>

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
    : store_(std::move(output_path)), page_(page), convert_count_(count) {}

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
      return FailOn(entry);
    }
  } else {
    const PixelForm form = FormOfFormatIndex(settings.pixel_format_index);
    item_size_ = EncodedSize(form, w, h, settings.nand);
    if (item_size_ >= 0)
      bytes = EncodePicture(preview, form, settings.Encode(), progress);
  }
  if (item_size_ < 0 || next_address_ + item_size_ > std::numeric_limits<std::int32_t>::max()) {
    StepOutcome failed = FailOn(entry);
    outcome.messages.insert(outcome.messages.end(), failed.messages.begin(), failed.messages.end());
    outcome.stopped = true;
    return outcome;
  }
  // The form's size is what the tables rely on: a PNG without alpha keeps its place,
  // filled with zeros.
  bytes.resize(static_cast<std::size_t>(item_size_), 0);

  auto stored = store_.Store(bytes);
  if (!stored) {
    // Going on would log pictures never stored and an address list that lies.
    outcome.messages.push_back(stored.error());
    stopped_ = true;
    outcome.stopped = true;
    return outcome;
  }
  log_.push_back(ListingLine(w, h, static_cast<std::uint32_t>(next_address_),
                             static_cast<std::uint32_t>(item_size_), entry));
  next_address_ += item_size_;
  ++convert_index_;
  platform::Report(progress, 100);
  return outcome;
}

StepOutcome PictureRun::FailOn(const std::string& entry) {
  log_.push_back(kFailToConvert + entry);
  stopped_ = true;
  StepOutcome outcome;
  outcome.stopped = true;
  return outcome;
}

StepOutcome PictureRun::Finish() {
  StepOutcome outcome;
  auto written = WriteAddressList(store_.Path(), log_, page_);
  if (!written)
    outcome.messages.push_back(written.error());
  outcome.messages.push_back(platform::Done(kConvertOk));
  outcome.finished = true;
  return outcome;
}

RunReport ConvertPictures(const std::vector<std::string>& entries, const std::string& output_path,
                          const PictureSettings& settings, platform::CodePage page,
                          const platform::Progress& progress) {
  PictureRun run(output_path, static_cast<int>(entries.size()), page);
  RunReport report;
  auto take = [&report, &run](const StepOutcome& step) {
    report.messages.insert(report.messages.end(), step.messages.begin(), step.messages.end());
    report.log = run.Log();
    report.stopped = step.stopped;
    return !step.stopped;
  };
  for (const std::string& entry : entries) {
    const PictureKind kind = PictureKindOf(entry);
    WorkingBitmap preview;
    if (kind != kNoPicture) {
      auto loaded = LoadPreviewPicture(entry, kind, settings);
      if (!loaded) {
        take(run.FailOn(entry));
        return report;
      }
      preview = std::move(*loaded);
    }
    if (!take(run.ConvertCurrent(preview, kind, entry, entry, settings, progress)))
      return report;
  }
  take(run.Finish());
  return report;
}

}  // namespace picture
