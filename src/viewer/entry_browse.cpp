#include "viewer/entry_browse.h"

#include <cstdio>

namespace viewer {

namespace {

std::string Hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

// The GIF a frame's address-list name belongs to: the name before its "-Frames" number.
std::optional<std::string> GifOfFrame(const Entry& entry) {
  const std::size_t at = entry.label.rfind("-Frames");
  if (entry.kind != EntryKind::Picture || at == std::string::npos)
    return std::nullopt;
  const std::string number = entry.label.substr(at + 7);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return entry.label.substr(0, at);
}

bool IsGoodPicture(const Entry& entry) {
  return entry.kind == EntryKind::Picture && entry.Good();
}

}  // namespace

std::string EntryLine(const Entry& entry) {
  std::string line = std::string(KindName(entry.kind)) + " " + std::to_string(entry.index) + "  " +
                     Hex(entry.address, 8) + "  " + std::to_string(entry.size) + " B  " +
                     std::to_string(entry.width) + "x" + std::to_string(entry.height) + "  " +
                     (entry.form.empty() ? "-" : entry.form);
  if (!entry.label.empty())
    line += "  " + entry.label;
  if (!entry.Good())
    line += "  ! " + entry.problem;
  return line;
}

std::vector<std::size_t> PlayOrder(const ImageContents& contents, std::size_t selected) {
  std::vector<std::size_t> order;
  if (selected >= contents.entries.size() || !IsGoodPicture(contents.entries[selected]))
    return order;
  const std::optional<std::string> gif = GifOfFrame(contents.entries[selected]);
  for (std::size_t i = 0; i < contents.entries.size(); ++i) {
    const Entry& entry = contents.entries[i];
    if (IsGoodPicture(entry) && (!gif || GifOfFrame(entry) == gif))
      order.push_back(i);
  }
  return order;
}

std::optional<std::size_t> NextToPlay(const ImageContents& contents, std::size_t current) {
  const std::vector<std::size_t> order = PlayOrder(contents, current);
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == current)
      return order[(i + 1) % order.size()];
  }
  return std::nullopt;
}

std::optional<std::string> GlyphAt(const GlyphSheet& sheet, int x, int y) {
  if (x < 0 || y < 0 || sheet.cell_width <= 0 || sheet.cell_height <= 0 || sheet.columns <= 0)
    return std::nullopt;
  const int column = x / sheet.cell_width;
  const int row = y / sheet.cell_height;
  if (column >= sheet.columns)
    return std::nullopt;
  const long long cell = static_cast<long long>(row) * sheet.columns + column;
  if (cell >= sheet.count)
    return std::nullopt;
  std::string text = "glyph " + std::to_string(cell);
  if (std::size_t(cell) < sheet.codes.size() && sheet.codes[std::size_t(cell)])
    text += ", code " + Hex(*sheet.codes[std::size_t(cell)], 4);
  return text;
}

}  // namespace viewer
