#include "builder/image_inspect.h"

#include <cstdio>

#include "builder/build_listing.h"
#include "builder/builder_types.h"
#include "builder/header_bytes.h"

namespace builder {

namespace {

constexpr std::uint32_t kUnused32 = 0xFFFFFFFF;

std::string Hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
  return text;
}

class HeaderReader {
 public:
  HeaderReader(std::span<const std::uint8_t> header, std::uint64_t file_size, InspectReport& report)
      : image_(header), file_size_(file_size), report_(report) {}

  // A NAND header is 0x20000 bytes, so its resources begin there; an image whose tables
  // point below that, or that is shorter, has the NOR header of 0x3000 bytes.
  std::size_t HeaderSize() const {
    if (file_size_ < kNandHeaderSize)
      return kNorHeaderSize;
    const int pictures = static_cast<int>(Get(kPictureCountAt, 2));
    for (int n = 0; n < pictures && n < kPictureEntriesInFirstPart; ++n) {
      const std::uint32_t address = Get(PictureEntryAt(n) + 4, 4);
      if (address < kNandHeaderSize)
        return kNorHeaderSize;
    }
    std::vector<std::size_t> addresses;
    for (int slot = 0; slot < kFontSlots; ++slot)
      addresses.push_back(kFontTableAt + kFontSlotSize * static_cast<std::size_t>(slot) + 1);
    for (int k = 0; k < kMaxWavEntries; ++k)
      addresses.push_back(kWavTableAt + kWavEntrySize * static_cast<std::size_t>(k) + 1);
    for (int i = 0; i < kMaxCursorEntries; ++i)
      addresses.push_back(kCursorTableAt + kCursorEntrySize * static_cast<std::size_t>(i));
    bool any_resource = pictures > 0;
    for (std::size_t at : addresses) {
      const std::uint32_t address = Get(at, 4);
      if (address != kUnused32 && address < kNandHeaderSize)
        return kNorHeaderSize;
      any_resource = any_resource || address != kUnused32;
    }
    // Without resources only a header of exactly the NAND size tells.
    return any_resource || file_size_ == kNandHeaderSize ? kNandHeaderSize : kNorHeaderSize;
  }

  void Describe() {
    report_.header_size = HeaderSize();
    report_.header_only = file_size_ == report_.header_size;
    Line(std::string(report_.header_size == kNandHeaderSize ? "NAND" : "NOR") +
         " image, header 0x" + Hex(static_cast<std::uint32_t>(report_.header_size), 5) +
         " bytes, file 0x" + Hex(static_cast<std::uint32_t>(file_size_), 8) + " bytes");
    DescribeBootRegion();
    DescribeModuleInfoAndTime();
    DescribeCommands();
    DescribePictures();
    DescribeFonts();
    DescribeSounds();
    DescribeCursors();
    if (report_.header_only)
      Line("Header only: the resources the tables point at are not in this file.");
    else if (report_.problems.empty())
      Line("Every table entry lies inside the file.");
  }

 private:
  std::uint32_t Get(std::size_t at, int width) const { return GetBigEndian(image_, at, width); }
  void Line(std::string text) { report_.lines.push_back(std::move(text)); }

  void CheckInside(const std::string& what, std::uint64_t address, std::uint64_t size) {
    if (!report_.header_only && address + size > file_size_)
      report_.problems.push_back(what + " (0x" + Hex8(static_cast<std::uint32_t>(address)) +
                                 ", 0x" + Hex8(static_cast<std::uint32_t>(size)) +
                                 " bytes) lies outside the file");
  }

  void DescribeBootRegion() {
    std::size_t used = kBootRegionSize;
    while (used > 0 && image_[used - 1] == 0xFF)
      --used;
    Line(used == 0 ? std::string("Boot image: none")
                   : "Boot image: " + std::to_string(used) + " bytes before the 0xFF fill");
  }

  void DescribeModuleInfoAndTime() {
    Line("Module info:");
    for (const std::string& line : DescribeModuleInfo(image_.subspan(kModuleInfoAt, 42)))
      Line("  " + line);
    const auto t = [&](std::size_t i) { return static_cast<int>(image_[kBuildTimeAt + i]); };
    char text[64];
    std::snprintf(text, sizeof text, "Build time: %02d%02d-%02d-%02d %02d:%02d:%02d", t(2), t(3),
                  t(0), t(1), t(4), t(5), t(6));
    Line(text);
  }

  void DescribeCommands() {
    Line("Command directory:");
    int groups = 0;
    for (int opcode = 0x80; opcode <= 0xFF; ++opcode) {
      const std::size_t at = kCommandDirectoryAt + 4 * static_cast<std::size_t>(opcode - 0x80);
      if (Get(at, 4) == kUnused32)
        continue;
      ++groups;
      const std::uint32_t offset = Get(at, 2);
      const std::string name = Hex(static_cast<std::uint32_t>(opcode), 2) + "h";
      if (opcode == 0x80) {
        // 80h keeps a 16-bit record count (low byte first) instead of a byte length.
        const int records = image_[at + 2] | (image_[at + 3] << 8);
        Line("  " + name + " at 0x" + Hex(offset, 4) + ", " + std::to_string(records) + " records");
        CheckInside("Command group " + name, offset, 1);
      } else {
        const int records = image_[at + 2];
        const int length = image_[at + 3];
        Line("  " + name + " at 0x" + Hex(offset, 4) + ", " + std::to_string(records) +
             " records, " + std::to_string(length) + " bytes");
        if (offset + static_cast<std::uint64_t>(length) > report_.header_size)
          report_.problems.push_back("Command group " + name + " runs past the header");
      }
    }
    if (groups == 0)
      Line("  none");
  }

  void DescribePictures() {
    const int count = static_cast<int>(Get(kPictureCountAt, 2));
    const int capacity = PictureEntryCapacity(report_.header_size);
    Line("Pictures: " + std::to_string(count));
    if (count > capacity) {
      report_.problems.push_back("The picture count " + std::to_string(count) +
                                 " is more than the header holds (" + std::to_string(capacity) +
                                 ")");
    }
    for (int n = 0; n < count && n < capacity; ++n) {
      const std::size_t at = PictureEntryAt(n);
      const std::uint32_t address = Get(at + 4, 4);
      const std::uint32_t size = Get(at + 8, 4);
      Line("  " + std::to_string(n) + ": " + std::to_string(Get(at, 2)) + "x" +
           std::to_string(Get(at + 2, 2)) + " at 0x" + Hex8(address) + ", 0x" + Hex8(size) +
           " bytes");
      CheckInside("Picture " + std::to_string(n), address, size);
    }
  }

  void DescribeFonts() {
    Line("Fonts:");
    bool any = false;
    for (int slot = 0; slot < kFontSlots; ++slot) {
      const std::size_t at = kFontTableAt + kFontSlotSize * static_cast<std::size_t>(slot);
      if (Get(at + 1, 4) == kUnused32 && image_[at] == 0xFF)
        continue;
      any = true;
      const std::uint32_t address = Get(at + 1, 4);
      const std::uint32_t size = Get(at + 5, 4);
      Line("  slot " + std::to_string(slot) + ": size code " + std::to_string(image_[at]) +
           " at 0x" + Hex8(address) + ", 0x" + Hex8(size) + " bytes");
      CheckInside("Font slot " + std::to_string(slot), address, size);
    }
    if (!any)
      Line("  none");
  }

  void DescribeSounds() {
    Line("Sounds:");
    int k = 0;
    for (; k < kMaxWavEntries; ++k) {
      const std::size_t at = kWavTableAt + kWavEntrySize * static_cast<std::size_t>(k);
      if (image_[at] == 0xFF && Get(at + 1, 4) == kUnused32)
        break;
      const std::uint32_t address = Get(at + 1, 4);
      const std::uint32_t size = Get(at + 5, 4);
      Line("  " + std::to_string(image_[at]) + ": at 0x" + Hex8(address) + ", 0x" + Hex8(size) +
           " bytes");
      CheckInside("Sound " + std::to_string(k), address, size);
    }
    if (k == 0)
      Line("  none");
  }

  void DescribeCursors() {
    Line("Cursors:");
    int i = 0;
    for (; i < kMaxCursorEntries; ++i) {
      const std::size_t at = kCursorTableAt + kCursorEntrySize * static_cast<std::size_t>(i);
      if (Get(at, 4) == kUnused32)
        break;
      const std::uint32_t address = Get(at, 4);
      const std::uint32_t size = Get(at + 4, 4);
      Line("  " + std::to_string(i) + ": at 0x" + Hex8(address) + ", 0x" + Hex8(size) + " bytes");
      CheckInside("Cursor " + std::to_string(i), address, size);
    }
    if (i == 0)
      Line("  none");
  }

  std::span<const std::uint8_t> image_;  // the header part of the file
  std::uint64_t file_size_ = 0;
  InspectReport& report_;
};

}  // namespace

platform::Result<InspectReport> InspectImage(std::span<const std::uint8_t> header,
                                             std::uint64_t file_size) {
  if (file_size < kNorHeaderSize ||
      header.size() < std::min<std::uint64_t>(file_size, kNandHeaderSize))
    return platform::Error("Not a flash image: it is shorter than the 0x3000-byte header");
  InspectReport report;
  HeaderReader(header, file_size, report).Describe();
  return report;
}

platform::Result<InspectReport> InspectImage(std::span<const std::uint8_t> image) {
  return InspectImage(image.first(std::min<std::size_t>(image.size(), kNandHeaderSize)),
                      image.size());
}

}  // namespace builder
