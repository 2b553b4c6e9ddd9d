#include "builder/resource_tables.h"

#include <filesystem>

#include "builder/address_list.h"
#include "builder/build_listing.h"
#include "builder/build_messages.h"
#include "builder/header_bytes.h"
#include "builder/resource_kinds.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/read_limits.h"

namespace builder {

namespace {

constexpr std::uint64_t kMaxFlashAddress = 0xFFFFFFFFu;

// One build's walk over the resource list. The placement address runs on from kind to
// kind, so every file lies at the sum of the sizes placed before it.
class TablePasses {
 public:
  TablePasses(const ResourceSet& resources, HeaderBuffer& header, const MessageSink& shown)
      : resources_(resources), header_(header), shown_(shown), placement_(resources.header_size) {}

  platform::Result<TableOutcome> Run() {
    for (ResourceKind kind : {ResourceKind::Picture, ResourceKind::Gif, ResourceKind::Number}) {
      if (auto failed = PicturePass(kind))
        return *failed;
    }
    PutBigEndian(header_, kPictureCountAt, static_cast<std::uint32_t>(outcome_.picture_count), 2);
    for (ResourceKind kind : {ResourceKind::Font, ResourceKind::Wav, ResourceKind::Cursor}) {
      if (auto failed = FilePass(kind))
        return *failed;
    }
    return std::move(outcome_);
  }

 private:
  using Failure = std::optional<platform::Message>;

  std::vector<std::string> NamesOf(ResourceKind kind) const {
    std::vector<std::string> names;
    for (const std::string& name : resources_.names) {
      if (IsOfKind(name, kind))
        names.push_back(name);
    }
    return names;
  }

  Failure Advance(const std::string& name, std::optional<std::uint64_t> size) {
    if (size)
      outcome_.placed_sizes[name] = *size;
    placement_ += size.value_or(0);
    if (placement_ > kMaxFlashAddress + 1)
      return platform::Error(
          "The flash image passes the 4 GB the 32-bit flash addresses reach, at " + name);
    return std::nullopt;
  }

  // Pictures, GIF frames and number pictures: one picture entry per entry line.
  Failure PicturePass(ResourceKind kind) {
    const std::vector<std::string> names = NamesOf(kind);
    RangeTable* ranges = kind == ResourceKind::Gif      ? &outcome_.gifs
                         : kind == ResourceKind::Number ? &outcome_.numbers
                                                        : nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string& name = names[i];
      const std::optional<std::uint64_t> size = ResourceFileSize(resources_.PathOf(name));
      if (ranges)
        ranges->push_back({});
      const std::size_t stem = name.find(".bin");
      if (size && *size > 0 && stem != std::string::npos && stem >= 2) {
        if (auto failed = EnterAddressList(kind, name, *size, ranges))
          return failed;
      }
      if (auto failed = Advance(name, size))
        return failed;
      if (ranges && static_cast<int>(ranges->size()) == kMaxRanges) {
        shown_(platform::Warning(kGifNumberOver));
        if (i + 1 < names.size())
          return platform::Error(std::string("Too many ") + PrefixOf(kind) + " resources: the " +
                                 (kind == ResourceKind::Gif ? "GIF range" : "number-set") +
                                 " table holds 16, and " + names[i + 1] +
                                 " is the 17th; it would lie away from its table address");
        break;
      }
    }
    return std::nullopt;
  }

  Failure EnterAddressList(ResourceKind kind, const std::string& name, std::uint64_t file_size,
                           RangeTable* ranges) {
    const std::string list_path = AddressListPathOf(resources_, name);
    const auto file = platform::ReadFile(list_path, platform::kTextFileLimit);
    if (!file)
      return platform::Because(platform::Error(OpenListFail(list_path)), list_path,
                               file.error().text);
    if (file->empty())
      return platform::Error(OpenListFail(list_path));
    const std::vector<std::string> lines = AddressListLines(*file);
    for (std::size_t j = 0; j < lines.size(); ++j) {
      auto entry = ReadEntryLine(lines[j]);
      if (!entry)
        return entry.error();
      if (!entry->has_value())
        continue;
      const int number = outcome_.picture_count;
      if (number >= PictureEntryCapacity(resources_.header_size))
        return platform::Error("Too many pictures: the image header holds " +
                               std::to_string(PictureEntryCapacity(resources_.header_size)) +
                               " picture entries, and " + name + " brings picture number " +
                               std::to_string(number));
      const EntryLine& line = **entry;
      // An entry past the end of its file would point the module at the next resource.
      if (std::uint64_t{line.offset} + line.size > file_size)
        return platform::Error(
            list_path + ", line " + std::to_string(j + 1) + ": the entry at 0x" +
            Hex8(line.offset) + " of 0x" + Hex8(line.size) + " bytes ends past the end of " + name +
            " (" + std::to_string(file_size) + " bytes); the address list does not match its .bin");
      const std::uint64_t address = placement_ + line.offset;
      if (address > kMaxFlashAddress)
        return platform::Error("The flash address of picture number " + std::to_string(number) +
                               " in " + name + " passes the 4 GB the 32-bit flash addresses reach");
      const std::size_t at = PictureEntryAt(number);
      PutBigEndian(header_, at, line.width, 2);
      PutBigEndian(header_, at + 2, line.height, 2);
      PutBigEndian(header_, at + 4, static_cast<std::uint32_t>(address), 4);
      PutBigEndian(header_, at + 8, line.size, 4);
      outcome_.listing.push_back(
          kind == ResourceKind::Picture
              ? PictureListingLine(line.width, line.height, static_cast<std::uint32_t>(address),
                                   line.size, line.rest, number)
              : RangeEntryListingLine(line.width, line.height, static_cast<std::uint32_t>(address),
                                      line.size, line.rest));
      if (ranges)
        ApplyRangeRule(kind, ranges->back(), j, lines.size(), number);
      ++outcome_.picture_count;
    }
    return std::nullopt;
  }

  // A GIF list starts with a comment line, so line 1 is its first frame; a number set
  // spans the twelve pictures from its line 0.
  static void ApplyRangeRule(ResourceKind kind, PictureRange& range, std::size_t line,
                             std::size_t line_count, int number) {
    if (kind == ResourceKind::Gif) {
      if (line == 1)
        range.first = number;
      if (line + 1 == line_count)
        range.last = number;
    } else if (line == 1) {
      range.first = number - 1;
      range.last = number + 10;
    }
  }

  // Fonts, sounds and cursors: one entry per non-empty file.
  Failure FilePass(ResourceKind kind) {
    int entries = 0;
    for (const std::string& name : NamesOf(kind)) {
      const std::optional<std::uint64_t> size = ResourceFileSize(resources_.PathOf(name));
      if (size && *size > 0) {
        if (*size > kMaxFlashAddress || placement_ > kMaxFlashAddress)
          return platform::Error(
              "The flash image passes the 4 GB the 32-bit flash addresses reach, at " + name);
        if (auto failed = EnterFile(kind, name, entries, static_cast<std::uint32_t>(*size)))
          return failed;
        ++entries;
      }
      if (auto failed = Advance(name, size))
        return failed;
    }
    return std::nullopt;
  }

  Failure EnterFile(ResourceKind kind, const std::string& name, int index, std::uint32_t size) {
    const auto address = static_cast<std::uint32_t>(placement_);
    if (kind == ResourceKind::Font) {
      const FontSlot font = FontSlotOf(name);
      const std::size_t at = kFontTableAt + kFontSlotSize * static_cast<std::size_t>(font.slot);
      header_[at] = static_cast<std::uint8_t>(font.size_code);
      PutBigEndian(header_, at + 1, address, 4);
      PutBigEndian(header_, at + 5, size, 4);
      outcome_.listing.push_back(IndexedListingLine(font.size_code, address, size, name));
    } else if (kind == ResourceKind::Wav) {
      if (index >= kMaxWavEntries)
        return platform::Error("Too many Wav resources: the WAV table holds 14 entries, and " +
                               name + " is the 15th");
      const std::size_t at = kWavTableAt + kWavEntrySize * static_cast<std::size_t>(index);
      header_[at] = static_cast<std::uint8_t>(index);
      PutBigEndian(header_, at + 1, address, 4);
      PutBigEndian(header_, at + 5, size, 4);
      outcome_.listing.push_back(IndexedListingLine(index, address, size, name));
    } else {
      if (index >= kMaxCursorEntries)
        return platform::Error(
            "Too many Cursor resources: the cursor table holds 16 entries, and " + name +
            " is the 17th");
      const std::size_t at = kCursorTableAt + kCursorEntrySize * static_cast<std::size_t>(index);
      PutBigEndian(header_, at, address, 4);
      PutBigEndian(header_, at + 4, size, 4);
      outcome_.listing.push_back(CursorListingLine(address, size, name));
    }
    return std::nullopt;
  }

  const ResourceSet& resources_;
  HeaderBuffer& header_;
  const MessageSink& shown_;
  std::uint64_t placement_;
  TableOutcome outcome_;
};

int DigitAt(const std::string& name, std::size_t at) {
  const char c = name[at];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

}  // namespace

std::string AddressListPathOf(const ResourceSet& resources, const std::string& name) {
  return resources.folder + name.substr(0, name.find(".bin")) + "-Addr.txt";
}

std::vector<std::string> BuildInputPaths(const ResourceSet& resources) {
  std::vector<std::string> inputs;
  for (const std::string& name : resources.names) {
    inputs.push_back(resources.PathOf(name));
    const bool listed = IsOfKind(name, ResourceKind::Picture) ||
                        IsOfKind(name, ResourceKind::Gif) || IsOfKind(name, ResourceKind::Number);
    if (listed && name.find(".bin") != std::string::npos)
      inputs.push_back(AddressListPathOf(resources, name));
  }
  return inputs;
}

std::optional<std::uint64_t> ResourceFileSize(const std::string& path) {
  std::error_code error;
  const std::filesystem::path file = platform::PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(file, error))
    return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error)
    return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

FontSlot FontSlotOf(const std::string& name) {
  if (name.size() <= 10)
    return {};
  FontSlot font;
  font.size_code = DigitAt(name, 8) * 10 + DigitAt(name, 9);
  const char family = name[5];
  const char number = name[6];
  const int step = number >= '1' && number <= '3' ? number - '0' : 0;
  if (family == 'C')
    font.slot = step;
  else if (family == 'D')
    font.slot = 4 + step;
  else
    font.slot = 0;
  return font;
}

platform::Result<TableOutcome> FillResourceTables(const ResourceSet& resources,
                                                  HeaderBuffer& header, const MessageSink& shown) {
  return TablePasses(resources, header, shown).Run();
}

}  // namespace builder
