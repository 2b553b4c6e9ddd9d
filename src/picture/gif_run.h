#pragma once
// A GIF conversion run: one GIF per step, every frame drawn, rotated, encoded and
// appended to the resource file with its listing line; at the end the address list.
// The GIF window steps it from its timer, the command line in a loop.

#include <cstdint>
#include <string>
#include <vector>

#include "picture/pixel_encoders.h"
#include "picture/run_output.h"
#include "picture/working_bitmap.h"
#include "platform/code_page.h"
#include "platform/progress.h"

namespace picture {

// The GIF window's option controls; defaults are the controls' initial values.
struct GifSettings {
  int pixel_format_index = 0;  // "R5G6B5", "R8G8B8"
  int colour_order_index = 0;  // "RGB", "BGR"
  int rotation_index = 0;      // "0 Degree", "R 90 Degree", "L 90 Degree"
  bool mirror_x = false;       // "ReverseX"
  bool mirror_y = false;       // "ReverseY"
  bool nand = false;           // "NandFlash BIN   "

  // Index 1 is R8G8B8; anything else (0, or -1 for a typed-over list) R5G6B5.
  [[nodiscard]] PixelForm Form() const {
    return pixel_format_index == 1 ? PixelForm::R8G8B8 : PixelForm::R5G6B5;
  }
  [[nodiscard]] EncodeSettings Encode() const {
    return {colour_order_index, mirror_x, mirror_y, nand};
  }
  friend bool operator==(const GifSettings&, const GifSettings&) = default;
};

// One GIF of a run: the file read, and the name its listing lines carry.
struct GifEntry {
  std::string path;
  std::string name;
};

// The listing line of one frame; the line-feed ending it is part of the line's text.
std::string FrameListingLine(int width, int height, std::uint32_t offset, std::uint32_t size,
                             const std::string& name, int frame_index);

class GifRun {
 public:
  // Converts entries[convert_index] onwards while the index stays below `convert_count`
  // (Single Convert: the selected index and a count of 1).
  GifRun(std::vector<GifEntry> entries, int convert_index, int convert_count,
         std::string output_path, platform::CodePage page);

  // Converts the GIF at ConvertIndex(): its "//" line, then every frame. The first step
  // always runs; the run goes on while HasMore().
  StepOutcome Step(const GifSettings& settings, const platform::Progress& progress = {});

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
  // The canvas the last frame was drawn on, and its rotated copy that was encoded.
  [[nodiscard]] const WorkingBitmap& FrameCanvas() const { return frame_canvas_; }
  [[nodiscard]] const WorkingBitmap& FrameBitmap() const { return frame_bitmap_; }
  [[nodiscard]] const std::string& OutputPath() const { return output_.Path(); }

 private:
  StepOutcome ConvertFrames(const GifEntry& entry, const GifSettings& settings,
                            const platform::Progress& progress);
  StepOutcome FailOn(const std::string& name, const std::string& reason = {}) {
    return output_.FailOn(name, reason);
  }

  std::vector<GifEntry> entries_;
  RunOutput output_;
  int convert_index_ = 0;
  int convert_count_ = 0;
  std::int64_t item_size_ = 0;
  WorkingBitmap frame_canvas_;
  WorkingBitmap frame_bitmap_;
};

// "All Convert" over the files in order without timer pauses, as the command line runs
// it: listing names are the files' bare names.
RunReport ConvertGifs(const std::vector<std::string>& paths, const std::string& output_path,
                      const GifSettings& settings, platform::CodePage page,
                      const platform::Progress& progress = {});

}  // namespace picture
