#pragma once
// A picture conversion run: one picture per step, each appended to the resource file
// with its listing line; at the end the address list. The window steps it from its timer,
// the command line in a loop.

#include <string>
#include <vector>

#include "picture/picture_kind.h"
#include "picture/picture_loader.h"
#include "picture/pixel_encoders.h"
#include "picture/run_output.h"
#include "picture/working_bitmap.h"
#include "platform/code_page.h"
#include "platform/message.h"
#include "platform/progress.h"

namespace picture {

// The main window's option controls; defaults are the controls' initial values.
struct PictureSettings {
  int pixel_format_index = 0;  // "R5G6B5", "R8G8B8", "Black_White"
  int colour_order_index = 0;  // "RGB", "BGR"
  int rotation_index = 0;      // "0 Degree", "R 90 Degree", "L 90 Degree"
  bool mirror_x = false;       // "ReverseX"
  bool mirror_y = false;       // "ReverseY"
  std::string alpha_limit_text = "150";
  bool nand = false;      // "NandFlash BIN   "
  bool argb_png = false;  // "aRGB PNG  "

  [[nodiscard]] LoadSettings Load() const { return {alpha_limit_text, pixel_format_index}; }
  [[nodiscard]] EncodeSettings Encode() const {
    return {colour_order_index, mirror_x, mirror_y, nand};
  }
  friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

// The preview of a picture: loaded, then rotated by the rotation setting.
platform::Result<WorkingBitmap> LoadPreviewPicture(const std::string& path, PictureKind kind,
                                                   const PictureSettings& settings);

class PictureRun {
 public:
  PictureRun(std::string output_path, int count, platform::CodePage page);

  // Encodes the picture the preview shows, stores it and logs its listing line naming
  // `entry`. `kind` and `path` are the current picture's, for the four-bit ARGB form.
  StepOutcome ConvertCurrent(const WorkingBitmap& preview, PictureKind kind,
                             const std::string& path, const std::string& entry,
                             const PictureSettings& settings,
                             const platform::Progress& progress = {});

  // Logs "Fail to convert " + entry and stops the run; `reason` says why, when known.
  StepOutcome FailOn(const std::string& entry, const std::string& reason = {}) {
    return output_.FailOn(entry, reason);
  }

  // Writes the address list and says "Convert ok".
  StepOutcome Finish() { return output_.Finish(); }

  [[nodiscard]] bool HasMore() const {
    return !output_.Stopped() && convert_index_ < convert_count_;
  }
  [[nodiscard]] const std::vector<std::string>& Log() const { return output_.Lines(); }
  [[nodiscard]] int ConvertIndex() const { return convert_index_; }
  [[nodiscard]] int ConvertCount() const { return convert_count_; }
  [[nodiscard]] std::int64_t NextAddress() const { return output_.NextAddress(); }
  [[nodiscard]] std::int64_t ItemSize() const { return item_size_; }
  [[nodiscard]] const std::string& OutputPath() const { return output_.Path(); }

 private:
  RunOutput output_;
  int convert_index_ = 0;
  int convert_count_ = 0;
  std::int64_t item_size_ = 0;
};

// "All Convert" over the entries without timer pauses, as the command line runs it.
RunReport ConvertPictures(const std::vector<std::string>& entries, const std::string& output_path,
                          const PictureSettings& settings, platform::CodePage page,
                          const platform::Progress& progress = {});

}  // namespace picture
