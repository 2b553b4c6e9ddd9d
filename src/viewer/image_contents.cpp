#include "viewer/image_contents.h"

#include <cstdio>

#include "builder/address_list.h"
#include "builder/builder_types.h"
#include "builder/header_bytes.h"
#include "builder/image_inspect.h"
#include "builder/resource_kinds.h"
#include "builder/resource_tables.h"
#include "cursor/cursor_file.h"
#include "platform/output_name.h"
#include "platform/paths.h"
#include "platform/read_limits.h"

namespace viewer {

namespace {

constexpr std::uint32_t kUnused32 = 0xFFFFFFFF;
// No flash image's picture table holds more entries than a NAND header.
constexpr int kMostPictures = builder::PictureEntryCapacity(builder::kNandHeaderSize);
// Lines of an address list named one by one before the rest are only counted.
constexpr std::size_t kBadLinesNamed = 20;
// A WAV's sizes are 32-bit, its header included.
constexpr std::uint64_t kLargestSound = 0xFFFFFFFFu - 44;

std::string Hex8(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(value));
  return text;
}

std::string Pixels(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

class FileSource : public ByteSource {
 public:
  explicit FileSource(platform::FileReader file) : file_(std::move(file)) {}
  [[nodiscard]] std::uint64_t Size() const override { return file_.Size(); }
  [[nodiscard]] platform::Result<platform::Bytes> Read(std::uint64_t offset,
                                                       std::uint64_t length) const override {
    return file_.Read(offset, length);
  }

 private:
  platform::FileReader file_;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(platform::Bytes bytes) : bytes_(std::move(bytes)) {}
  [[nodiscard]] std::uint64_t Size() const override { return bytes_.size(); }
  [[nodiscard]] platform::Result<platform::Bytes> Read(std::uint64_t offset,
                                                       std::uint64_t length) const override {
    if (offset >= bytes_.size())
      return platform::Bytes{};
    const std::uint64_t end = offset + std::min<std::uint64_t>(length, bytes_.size() - offset);
    return platform::Bytes(bytes_.begin() + std::ptrdiff_t(offset),
                           bytes_.begin() + std::ptrdiff_t(end));
  }

 private:
  platform::Bytes bytes_;
};

const char* FormName(picture::PixelForm form) {
  switch (form) {
    case picture::PixelForm::R5G6B5:
      return "R5G6B5";
    case picture::PixelForm::R8G8B8:
      return "R8G8B8";
    case picture::PixelForm::BlackWhite:
      return "Black_White";
    case picture::PixelForm::Argb4:
      break;
  }
  return "ARGB4";
}

std::string NumberedName(const char* stem, int index, int digits, const char* extension) {
  char text[64];
  std::snprintf(text, sizeof text, "%s-%0*d%s", stem, digits, index, extension);
  return text;
}

// The problem of an entry whose bytes do not all lie in the file; empty when they do.
std::string OutsideProblem(std::uint64_t address, std::uint64_t size, std::uint64_t file_size) {
  if (address <= file_size && size <= file_size - address)
    return {};
  return "lies outside the file (" + Hex8(address) + ", " + Hex8(size) + " bytes; the file has " +
         Hex8(file_size) + " bytes)";
}

// A picture's form follows from its size: the first form whose rows of this width and
// height fill exactly `size` bytes.
void FindPictureForm(Entry& entry, const ReadOptions& options) {
  if (entry.width <= 0 || entry.height <= 0) {
    entry.problem = "a picture of " + Pixels(entry.width, entry.height) + " pixels shows nothing";
    return;
  }
  const picture::PixelForm two_bytes =
      options.argb ? picture::PixelForm::Argb4 : picture::PixelForm::R5G6B5;
  std::string sizes;
  for (picture::PixelForm form :
       {two_bytes, picture::PixelForm::R8G8B8, picture::PixelForm::BlackWhite}) {
    const std::int64_t size = picture::EncodedSize(form, entry.width, entry.height, entry.nand);
    if (size >= 0 && std::uint64_t(size) == entry.size) {
      entry.pixel_form = form;
      entry.form = std::string(FormName(form)) + (entry.nand ? "/NAND" : "");
      return;
    }
    sizes += std::string(sizes.empty() ? "" : ", ") + FormName(form) + " " +
             (size < 0 ? std::string("too large") : Hex8(std::uint64_t(size)));
  }
  entry.problem = "size " + Hex8(entry.size) + " fits no form of " +
                  Pixels(entry.width, entry.height) + (entry.nand ? " with NAND rows" : "") + " (" +
                  sizes + ")";
}

class Walk {
 public:
  Walk(ImageContents& contents, const ReadOptions& options)
      : contents_(contents), options_(options) {}

  void AddPicture(Entry entry) {
    entry.kind = EntryKind::Picture;
    entry.nand = contents_.nand;
    entry.output = NumberedName("picture", entry.index, 3, ".png");
    entry.problem = OutsideProblem(entry.address, entry.size, contents_.file_size);
    if (entry.Good())
      FindPictureForm(entry, options_);
    contents_.entries.push_back(std::move(entry));
  }

  // A font: a string font by its magic, else a character-set library whose cell comes
  // from the options or the size code.
  void AddFont(Entry entry, int size_code, const std::string& output) {
    entry.kind = EntryKind::Font;
    entry.output = output;
    entry.problem = OutsideProblem(entry.address, entry.size, contents_.file_size);
    if (entry.Good())
      FindFontForm(entry, size_code);
    contents_.entries.push_back(std::move(entry));
  }

  void AddSound(Entry entry, const SoundFormat& format, const std::string& output) {
    entry.kind = EntryKind::Sound;
    entry.output = output;
    entry.sound = format;
    entry.problem = OutsideProblem(entry.address, entry.size, contents_.file_size);
    if (entry.Good() && entry.size > kLargestSound)
      entry.problem = "is larger than a WAV file holds";
    entry.form = "PCM/" + std::to_string(format.bits) + "-bit/" + std::to_string(format.channels) +
                 "-ch/" + std::to_string(format.rate) + "-Hz";
    contents_.entries.push_back(std::move(entry));
  }

  void AddCursor(Entry entry, const std::string& output) {
    entry.kind = EntryKind::Cursor;
    entry.output = output;
    entry.width = entry.height = 32;
    entry.form = "cursor-codes";
    entry.problem = OutsideProblem(entry.address, entry.size, contents_.file_size);
    if (entry.Good() && entry.size != cursor::kCursorFileSize)
      entry.problem = "size " + Hex8(entry.size) + " is no cursor's (0x00000100 bytes)";
    contents_.entries.push_back(std::move(entry));
  }

 private:
  void FindFontForm(Entry& entry, int size_code) {
    auto first = contents_.source->Read(entry.address, std::min<std::uint64_t>(entry.size, 12));
    if (!first) {
      entry.problem = first.error().text;
      return;
    }
    if (IsStringFont(*first)) {
      auto header = ReadStringFontHeader(*first, entry.size);
      if (!header) {
        entry.problem = header.error().text;
        return;
      }
      entry.layout = FontLayout::StringFont;
      entry.width = header->width;
      entry.height = header->height;
      entry.cell_count = header->count;
      entry.form = "MrlxFont/" + std::to_string(header->count) + "-chars";
      if (CellBytes(entry.width, entry.height) == 0)
        entry.problem = "a " + Pixels(entry.width, entry.height) + " cell stores no pixels";
      else if (header->count == 0)
        entry.note = "no characters, no sheet";
      return;
    }
    int width = 16, height = 16;
    if (options_.cell_width > 0 && options_.cell_height > 0) {
      width = options_.cell_width;
      height = options_.cell_height;
    } else if (size_code >= 8 && size_code <= 64) {
      width = height = size_code;
    }
    entry.width = width;
    entry.height = height;
    const std::size_t cell = CellBytes(width, height);
    if (cell == 0) {
      entry.problem = "a " + Pixels(width, height) + " cell stores no pixels";
      return;
    }
    if (entry.size % cell != 0) {
      entry.problem = "size " + Hex8(entry.size) + " is not a whole number of " +
                      Pixels(width, height) + " cells (" + std::to_string(cell) + " bytes each)";
      return;
    }
    if (entry.size / cell > std::uint64_t(INT32_MAX)) {
      entry.problem = "holds more cells than a font can";
      return;
    }
    entry.cell_count = static_cast<int>(entry.size / cell);
    entry.layout = LayoutOfCellCount(std::size_t(entry.cell_count));
    entry.form =
        std::string(LayoutName(entry.layout)) + "/" + std::to_string(entry.cell_count) + "-cells";
    if (entry.cell_count == 0)
      entry.note = "no cells, no sheet";
  }

  ImageContents& contents_;
  const ReadOptions& options_;
};

// The tables of a flash image's header.
platform::Result<platform::Ok> ListFlashImage(ImageContents& contents, const ReadOptions& options) {
  auto header = contents.source->Read(0, builder::kNandHeaderSize);
  if (!header)
    return header.error();
  auto report = builder::InspectImage(*header, contents.file_size);
  if (!report)
    return platform::Error(contents.path + ": " + report.error().text);
  contents.flash_image = true;
  contents.header_lines = report->lines;
  contents.nand = options.nand.value_or(report->header_size == builder::kNandHeaderSize);
  const std::span<const std::uint8_t> image = *header;
  const auto get = [&](std::size_t at, int width) {
    return builder::GetBigEndian(image, at, width);
  };
  Walk walk(contents, options);

  const int count = static_cast<int>(get(builder::kPictureCountAt, 2));
  int capacity = builder::PictureEntryCapacity(report->header_size);
  // Entries must lie in the bytes read, whatever header size the tables suggest.
  while (capacity > 0 &&
         builder::PictureEntryAt(capacity - 1) + builder::kPictureEntrySize > image.size())
    --capacity;
  if (count > capacity) {
    contents.problems.push_back("The picture count " + std::to_string(count) +
                                " is more than the header holds (" + std::to_string(capacity) +
                                "); the entries after " + std::to_string(capacity) +
                                " are not read");
  }
  for (int n = 0; n < count && n < capacity; ++n) {
    const std::size_t at = builder::PictureEntryAt(n);
    Entry entry;
    entry.index = n;
    entry.width = static_cast<int>(get(at, 2));
    entry.height = static_cast<int>(get(at + 2, 2));
    entry.address = get(at + 4, 4);
    entry.size = get(at + 8, 4);
    walk.AddPicture(std::move(entry));
  }

  for (int slot = 0; slot < builder::kFontSlots; ++slot) {
    const std::size_t at = builder::kFontTableAt + builder::kFontSlotSize * std::size_t(slot);
    if (get(at + 1, 4) == kUnused32 && image[at] == 0xFF)
      continue;
    Entry entry;
    entry.index = slot;
    entry.address = get(at + 1, 4);
    entry.size = get(at + 5, 4);
    walk.AddFont(std::move(entry), image[at], "font-" + std::to_string(slot) + ".png");
  }

  const SoundFormat sound{options.channels, options.bits, options.rate, false};
  for (int k = 0; k < builder::kMaxWavEntries; ++k) {
    const std::size_t at = builder::kWavTableAt + builder::kWavEntrySize * std::size_t(k);
    if (image[at] == 0xFF && get(at + 1, 4) == kUnused32)
      break;
    Entry entry;
    entry.index = k;
    entry.address = get(at + 1, 4);
    entry.size = get(at + 5, 4);
    walk.AddSound(std::move(entry), sound, "sound-" + std::to_string(k) + ".wav");
  }

  for (int i = 0; i < builder::kMaxCursorEntries; ++i) {
    const std::size_t at = builder::kCursorTableAt + builder::kCursorEntrySize * std::size_t(i);
    if (get(at, 4) == kUnused32)
      break;
    Entry entry;
    entry.index = i;
    entry.address = get(at, 4);
    entry.size = get(at + 4, 4);
    walk.AddCursor(std::move(entry), "cursor-" + std::to_string(i) + ".png");
  }
  return platform::Ok{};
}

// The text of an address list line after "},//": the picture's or frame's name.
std::string LabelOf(const std::string& rest) {
  const std::size_t slashes = rest.find("//");
  return slashes == std::string::npos ? rest : rest.substr(slashes + 2);
}

platform::Result<platform::Ok> ListResourceFile(ImageContents& contents, builder::ResourceKind kind,
                                                const std::string& name, const ReadOptions& options,
                                                const std::optional<platform::Bytes>& beside,
                                                const std::string& beside_path) {
  contents.nand = options.nand.value_or(false);
  Walk walk(contents, options);
  Entry whole;
  whole.size = contents.file_size;
  switch (kind) {
    case builder::ResourceKind::Picture:
    case builder::ResourceKind::Gif:
    case builder::ResourceKind::Number: {
      if (!beside || beside->empty())
        return platform::Error("Open " + beside_path + " fail!");
      const std::vector<std::string> lines = builder::AddressListLines(*beside);
      int index = 0;
      std::size_t bad_lines = 0;
      for (std::size_t j = 0; j < lines.size(); ++j) {
        auto line = builder::ReadEntryLine(lines[j]);
        if (!line) {
          if (++bad_lines <= kBadLinesNamed) {
            contents.problems.push_back(beside_path + " line " + std::to_string(j + 1) + ": " +
                                        line.error().text);
          }
          continue;
        }
        if (!line->has_value())
          continue;
        if (index == kMostPictures) {
          contents.problems.push_back(beside_path + " lists more pictures than a flash image's " +
                                      "table holds (" + std::to_string(kMostPictures) +
                                      "); the rest are not read");
          break;
        }
        const builder::EntryLine& read = **line;
        Entry entry;
        entry.index = index++;
        entry.width = static_cast<int>(std::min<std::uint32_t>(read.width, INT32_MAX));
        entry.height = static_cast<int>(std::min<std::uint32_t>(read.height, INT32_MAX));
        entry.address = read.offset;
        entry.size = read.size;
        entry.label = LabelOf(read.rest);
        walk.AddPicture(std::move(entry));
      }
      if (bad_lines > kBadLinesNamed) {
        contents.problems.push_back(beside_path + ": " +
                                    std::to_string(bad_lines - kBadLinesNamed) +
                                    " more lines that hold no entry");
      }
      if (index == 0)
        contents.problems.push_back(beside_path + " lists no pictures");
      break;
    }
    case builder::ResourceKind::Font:
      walk.AddFont(std::move(whole), builder::FontSlotOf(name).size_code, "font.png");
      break;
    case builder::ResourceKind::Wav: {
      SoundFormat format{options.channels, options.bits, options.rate, false};
      if (beside) {
        if (auto listed = ReadSoundListing(*beside))
          format = *listed;
      }
      walk.AddSound(std::move(whole), format, "sound.wav");
      break;
    }
    case builder::ResourceKind::Cursor:
      walk.AddCursor(std::move(whole), "cursor.png");
      break;
  }
  return platform::Ok{};
}

platform::Result<ImageContents> List(std::shared_ptr<const ByteSource> source,
                                     const std::string& path, const ReadOptions& options,
                                     const std::optional<platform::Bytes>& beside,
                                     const std::string& beside_path) {
  ImageContents contents;
  contents.path = path;
  contents.options = options;
  contents.file_size = source->Size();
  contents.source = std::move(source);
  contents.inputs.push_back(path);
  const std::string name = platform::BareName(path);
  const auto kind = builder::KindOf(name);
  auto listed = kind ? ListResourceFile(contents, *kind, name, options, beside, beside_path)
                     : ListFlashImage(contents, options);
  if (!listed)
    return listed.error();
  if (kind && !beside_path.empty() && beside)
    contents.inputs.push_back(beside_path);
  return contents;
}

// The folder part of a path with its separator; empty for a bare name.
std::string FolderPart(const std::string& path) {
  const std::size_t cut = path.rfind(platform::kSeparator);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool HasListBeside(builder::ResourceKind kind) {
  return kind != builder::ResourceKind::Font && kind != builder::ResourceKind::Cursor;
}

}  // namespace

const char* KindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::Picture:
      return "picture";
    case EntryKind::Font:
      return "font";
    case EntryKind::Sound:
      return "sound";
    case EntryKind::Cursor:
      break;
  }
  return "cursor";
}

platform::Result<ImageContents> ReadImageContents(const std::string& path,
                                                  const ReadOptions& options) {
  auto file = platform::FileReader::Open(path);
  if (!file)
    return platform::Because(platform::Error("Can't open " + path), path, file.error().text);
  auto source = std::make_shared<const FileSource>(std::move(*file));
  std::optional<platform::Bytes> beside;
  std::string beside_path;
  const std::string name = platform::BareName(path);
  const auto kind = builder::KindOf(name);
  if (kind && HasListBeside(*kind)) {
    beside_path = FolderPart(path) + platform::AddressListPathFor(name);
    if (platform::FileExists(beside_path)) {
      auto list = platform::ReadFile(beside_path, platform::kTextFileLimit);
      if (!list)
        return platform::Because(platform::Error("Open " + beside_path + " fail!"), beside_path,
                                 list.error().text);
      beside = std::move(*list);
    }
  }
  return List(std::move(source), path, options, beside, beside_path);
}

platform::Result<ImageContents> ReadImageContents(platform::Bytes bytes, const std::string& name,
                                                  const ReadOptions& options,
                                                  std::optional<platform::Bytes> beside) {
  const auto kind = builder::KindOf(platform::BareName(name));
  const std::string beside_path =
      kind && HasListBeside(*kind) ? platform::AddressListPathFor(platform::BareName(name)) : "";
  return List(std::make_shared<const MemorySource>(std::move(bytes)), name, options, beside,
              beside_path);
}

platform::Result<platform::Bytes> EntryBytes(const ImageContents& contents, const Entry& entry) {
  if (!entry.Good())
    return platform::Error(entry.problem);
  auto bytes = contents.source->Read(entry.address, entry.size);
  if (!bytes)
    return bytes.error();
  if (bytes->size() != entry.size)
    return platform::Error("the file has become shorter than when it was listed");
  return bytes;
}

}  // namespace viewer
