#include "builder/user_command_line.h"

#include <cstdio>

#include "builder/command_layout.h"
#include "builder/command_number.h"

namespace builder {
namespace {

constexpr std::size_t kConsideredLength = 1023;
constexpr std::size_t kKeywordLength = 3;

CommandForm FormOf(int opcode, std::string_view cleaned) {
  const std::string_view after_keyword = cleaned.substr(std::min(kKeywordLength, cleaned.size()));
  if (opcode == 0x88 && after_keyword.find("GIF") != std::string_view::npos) {
    return CommandForm::Gif;
  }
  if (opcode == 0x90 && after_keyword.find("PT") != std::string_view::npos) {
    return CommandForm::PictureSet;
  }
  return CommandForm::Plain;
}

bool IsNumberCharacter(char c, CommandForm form) {
  if (c >= '0' && c <= '9') {
    return true;
  }
  if (form == CommandForm::Gif) {
    return false;
  }
  return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == 'X' || c == 'x';
}

void AppendBigEndian(std::vector<std::uint8_t>& record, std::uint32_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    record.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

void AppendPictureNumber(std::vector<std::uint8_t>& record, int number) {
  AppendBigEndian(record, static_cast<std::uint32_t>(number), 2);
}

// The last byte names a GIF resource: it becomes the first and last picture numbers of
// its frames.
void SubstituteGifRange(std::vector<std::uint8_t>& record, const RangeTable& gifs) {
  if (record.empty() || record.back() >= gifs.size()) {
    return;
  }
  const PictureRange range = gifs[record.back()];
  record.pop_back();
  AppendPictureNumber(record, range.first);
  AppendPictureNumber(record, range.last);
}

// The first byte names a number set: it becomes the low bytes of the set's first and last
// picture numbers.
void SubstituteNumberSet(std::vector<std::uint8_t>& record, const RangeTable& numbers) {
  if (record.empty() || record.front() >= numbers.size()) {
    return;
  }
  const PictureRange range = numbers[record.front()];
  record.front() = static_cast<std::uint8_t>(range.last);
  record.insert(record.begin(), static_cast<std::uint8_t>(range.first));
}

class ArgumentScanner {
 public:
  ArgumentScanner(int opcode, CommandForm form, bool length_byte)
      : opcode_(opcode), form_(form), length_byte_(length_byte) {
    if (length_byte_) {
      record_.push_back(0);  // the length, written when the record ends
    }
  }

  platform::Result<std::vector<std::uint8_t>> Scan(std::string_view arguments) {
    // B8h takes a single number: its commas are skipped like any other character.
    const bool commas_separate = opcode_ != 0xB8;
    for (char c : arguments) {
      if (IsNumberCharacter(c, form_)) {
        token_.push_back(c);
      } else if (c == ',' && commas_separate) {
        if (auto stored = StoreToken(); !stored) {
          return stored.error();
        }
      } else if (c == '/') {
        if (auto stored = StoreToken(); !stored) {
          return stored.error();
        }
        return Finish();
      }
    }
    if (!token_.empty()) {
      if (auto stored = StoreToken(); !stored) {
        return stored.error();
      }
    }
    return Finish();
  }

 private:
  platform::Result<platform::Ok> StoreToken() {
    auto value = ReadNumber(token_);
    if (!value) {
      return value.error();
    }
    AppendBigEndian(record_, *value, ArgumentWidth(opcode_, form_, argument_index_));
    ++argument_index_;
    token_.clear();
    return platform::Ok{};
  }

  platform::Result<std::vector<std::uint8_t>> Finish() {
    if (length_byte_) {
      if (record_.size() > kLongestLengthPrefixedRecord) {
        return platform::Error("A user command record with a length byte holds at most " +
                               std::to_string(kLongestLengthPrefixedRecord) +
                               " bytes; this one has " + std::to_string(record_.size()));
      }
      record_.front() = static_cast<std::uint8_t>(record_.size());
    }
    return std::move(record_);
  }

  int opcode_;
  CommandForm form_;
  bool length_byte_;
  int argument_index_ = 0;
  std::string token_;
  std::vector<std::uint8_t> record_;
};

}  // namespace

std::string OpcodeKeyword(int opcode) {
  char keyword[8];
  std::snprintf(keyword, sizeof keyword, "%02Xh", static_cast<unsigned>(opcode & 0xFF));
  return keyword;
}

std::string CleanCommandLine(std::string_view line) {
  std::string cleaned;
  for (char c : line.substr(0, kConsideredLength)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x80) {
      cleaned.push_back(c);
    }
  }
  return cleaned;
}

platform::Result<std::vector<std::uint8_t>> EncodeCommandLine(int opcode, std::string_view cleaned,
                                                              const RangeTable& gifs,
                                                              const RangeTable& numbers) {
  const CommandForm form = FormOf(opcode, cleaned);
  const bool length_byte = LayoutOf(opcode).value_or(CommandLayout{}).length_byte;
  // Without a ":" the scan starts at the keyword, whose digits join the first argument.
  const std::size_t colon = cleaned.find(':');
  const std::string_view arguments =
      colon == std::string_view::npos ? cleaned : cleaned.substr(colon + 1);

  auto record = ArgumentScanner(opcode, form, length_byte).Scan(arguments);
  if (!record) {
    return record;
  }
  if (form == CommandForm::Gif) {
    SubstituteGifRange(*record, gifs);
  } else if (form == CommandForm::PictureSet) {
    SubstituteNumberSet(*record, numbers);
  }
  if (record->size() > kLongestRecord) {
    return platform::Error("A user command record holds at most " + std::to_string(kLongestRecord) +
                           " bytes; this one has " + std::to_string(record->size()));
  }
  return record;
}

}  // namespace builder
