#include "builder/user_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "builder/user_command_line.h"

namespace builder {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Ten lines of module description, then "[USERCMD]" and the given command lines.
CommandList Project(const std::vector<std::string>& commands) {
  CommandList lines = {"[INFO]",    "PCVersion:16",  "COMPort:SPI",  "Baudrate:9600", "XSIZE:480",
                       "YSIZE:272", "FlashType:NOR", "FlashSize:16", "/ note",        " ",
                       "[USERCMD]"};
  lines.insert(lines.end(), commands.begin(), commands.end());
  return lines;
}

Bytes At(const HeaderBuffer& header, std::size_t offset, std::size_t size) {
  return Bytes(header.begin() + static_cast<long>(offset),
               header.begin() + static_cast<long>(offset + size));
}

Bytes Entry(const HeaderBuffer& header, int opcode) {
  return At(header, kCommandDirectoryStart + static_cast<std::size_t>(opcode - 0x80) * 4, 4);
}

HeaderBuffer Encoded(const CommandList& lines, std::size_t header_size = kNorHeaderSize,
                     const RangeTable& gifs = {}, const RangeTable& numbers = {}) {
  HeaderBuffer header(header_size, 0xFF);
  auto result = EncodeUserCommands(lines, gifs, numbers, header);
  EXPECT_TRUE(result.ok()) << result.error().text;
  return header;
}

// Directory entries other than `used` hold FF FF FF FF.
void ExpectOtherEntriesEmpty(const HeaderBuffer& header, const std::vector<int>& used) {
  for (int opcode = 0x80; opcode <= 0xFF; ++opcode) {
    if (std::find(used.begin(), used.end(), opcode) == used.end()) {
      SCOPED_TRACE(opcode);
      EXPECT_EQ(Entry(header, opcode), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    }
  }
}

TEST(EncodeUserCommands, GroupsRecordsByOpcodeBehindTheDirectory) {
  const HeaderBuffer header = Encoded(Project({"82h:1,2,3,4", "82h:5,6,7,8"}));
  EXPECT_EQ(Entry(header, 0x82), (Bytes{0x18, 0x00, 0x02, 0x0C}));
  EXPECT_EQ(At(header, 0x1800, 13),
            (Bytes{0x01, 0x00, 0x02, 0x00, 0x03, 0x04, 0x05, 0x00, 0x06, 0x00, 0x07, 0x08, 0xFF}));
  ExpectOtherEntriesEmpty(header, {0x82});
}

TEST(EncodeUserCommands, PlacesGroupsInOpcodeOrderWhateverTheLineOrder) {
  for (const CommandList& lines :
       {Project({"80h:1,2,300,4,5", "82h:1,2,3,4"}), Project({"82h:1,2,3,4", "80h:1,2,300,4,5"})}) {
    const HeaderBuffer header = Encoded(lines);
    EXPECT_EQ(Entry(header, 0x80), (Bytes{0x18, 0x00, 0x01, 0x00}));
    EXPECT_EQ(Entry(header, 0x82), (Bytes{0x18, 0x08, 0x01, 0x06}));
    EXPECT_EQ(At(header, 0x1800, 14), (Bytes{0x08, 0x01, 0x02, 0x01, 0x2C, 0x00, 0x04, 0x05, 0x01,
                                             0x00, 0x02, 0x00, 0x03, 0x04}));
    ExpectOtherEntriesEmpty(header, {0x80, 0x82});
  }
}

TEST(EncodeUserCommands, Counts80hRecordsInSixteenBits) {
  const HeaderBuffer header = Encoded(Project(std::vector<std::string>(300, "80h:1,2,3,4")));
  EXPECT_EQ(Entry(header, 0x80), (Bytes{0x18, 0x00, 0x2C, 0x01}));
}

TEST(EncodeUserCommands, IgnoresWhatIsNoCommandRecord) {
  const HeaderBuffer header = Encoded(Project({
      "80h:1,2/",    // below the minimum of 5
      "81h:1",       // below the minimum of 4
      "9Bh:1,2,3",   // below the minimum of 9
      "82h:",        // empty
      "9ah:1",       // lower-case keyword
      "84h:1,2",     // no encoding
      "FFh:1,2",     // no encoding
      "note 82h:1",  // not at the start
      "81h:1,2",     // length 4: kept
  }));
  EXPECT_EQ(Entry(header, 0x81), (Bytes{0x18, 0x00, 0x01, 0x04}));
  ExpectOtherEntriesEmpty(header, {0x81});
}

TEST(EncodeUserCommands, ReadsOnlyTheLinesAfterUserCmd) {
  CommandList lines = Project({"82h:9"});
  lines.insert(lines.begin() + 1, "82h:1");  // before "[USERCMD]"
  const HeaderBuffer header = Encoded(lines);
  EXPECT_EQ(Entry(header, 0x82), (Bytes{0x18, 0x00, 0x01, 0x01}));
  EXPECT_EQ(header[0x1800], 0x09);
}

TEST(EncodeUserCommands, LeavesTheHeaderWithoutCommandSection) {
  CommandList ten_lines = Project({});
  ten_lines.erase(ten_lines.begin());
  ten_lines.erase(ten_lines.begin());
  ten_lines.push_back("82h:1");  // ten lines in all
  CommandList without_section = Project({"82h:1"});
  without_section[10] = "[USERCMD ]";
  for (const CommandList& lines : {ten_lines, without_section}) {
    EXPECT_EQ(Encoded(lines), HeaderBuffer(kNorHeaderSize, 0xFF));
  }
}

TEST(EncodeUserCommands, HandsTheRangeTablesToGifAndPictureSetLines) {
  const HeaderBuffer header = Encoded(Project({"90h PT: 0, 300", "88h GIF: 1, 2, 100, 200, 0"}),
                                      kNorHeaderSize, {{5, 14}}, {{20, 31}});
  EXPECT_EQ(Entry(header, 0x88), (Bytes{0x18, 0x00, 0x01, 0x0A}));
  EXPECT_EQ(Entry(header, 0x90), (Bytes{0x18, 0x0A, 0x01, 0x04}));
  EXPECT_EQ(At(header, 0x1800, 14), (Bytes{0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x00, 0x05, 0x00,
                                           0x0E, 0x14, 0x1F, 0x01, 0x2C}));
}

struct FailureCase {
  const char* name;
  std::vector<std::string> commands;
  std::size_t header_size;
  std::string message;
};

std::string OneByteArguments(std::size_t count) {
  std::string arguments;
  for (std::size_t i = 0; i < count; ++i) {
    arguments += "1,";
  }
  return arguments;
}

// 9Ch lines holding `total` bytes of records in all.
std::vector<std::string> RecordsOfBytes(std::size_t total) {
  std::vector<std::string> lines;
  while (total > 0) {
    const std::size_t size = std::min<std::size_t>(total, 200);
    lines.push_back("9Ch:" + OneByteArguments(size));
    total -= size;
  }
  return lines;
}

TEST(EncodeUserCommands, StopsWithTheLineThatBreaksALimit) {
  std::vector<std::string> nor_overflow = RecordsOfBytes(kNorHeaderSize - kCommandAreaStart);
  nor_overflow.push_back("F7h:1");
  std::vector<std::string> nand_overflow = RecordsOfBytes(kNandCommandAreaEnd - kCommandAreaStart);
  nand_overflow.insert(nand_overflow.begin(), "E0h:1,2");
  const std::vector<FailureCase> cases = {
      {"unreadable argument",
       {"82h:1", "9Ch: 1, 12AB / note"},
       kNorHeaderSize,
       "'12AB' is not a valid integer value (command list line 13: 9Ch:1,12AB/note)"},
      {"command area past the NOR header", nor_overflow, kNorHeaderSize,
       "The user commands do not fit: the command area would end at 0x3002, past its end at "
       "0x3000, the end of the image header (command list line 43: F7h:1)"},
      {"command area into the NAND picture table", nand_overflow, kNandHeaderSize,
       "The user commands do not fit: the command area would end at 0x7004, past its end at "
       "0x7000, where the picture table goes on (command list line 12: E0h:1,2)"},
      {"length-prefixed record too long",
       {"9Ah:" + OneByteArguments(300)},
       kNorHeaderSize,
       "A user command record with a length byte holds at most 255 bytes; this one has 301 "
       "(command list line 12: 9Ah:1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,...)"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    HeaderBuffer header(c.header_size, 0xFF);
    auto result = EncodeUserCommands(Project(c.commands), {}, {}, header);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().text, c.message);
    EXPECT_EQ(header, HeaderBuffer(c.header_size, 0xFF));
  }
}

TEST(EncodeUserCommands, FillsTheAreaToItsLastByte) {
  const HeaderBuffer nor = Encoded(Project(RecordsOfBytes(kNorHeaderSize - kCommandAreaStart)));
  EXPECT_EQ(nor[kNorHeaderSize - 1], 0x01);
  const HeaderBuffer nand =
      Encoded(Project(RecordsOfBytes(kNandCommandAreaEnd - kCommandAreaStart)), kNandHeaderSize);
  EXPECT_EQ(nand[kNandCommandAreaEnd - 1], 0x01);
  EXPECT_EQ(nand[kNandCommandAreaEnd], 0xFF);
}

// Random command lines: every list either encodes with each group inside the command
// area or stops with a message.
TEST(EncodeUserCommands, SurvivesArbitraryCommandLines) {
  const std::string alphabet =
      "0123456789012345678901234567890123456789ABCDEFabcdefxX,,,,/: \tGIFPT\x80\xFF";
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> character(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> opcode_of_line(0x80, 0xFF);
  std::uniform_int_distribution<int> length_of_line(0, 1100);
  std::uniform_int_distribution<int> lines_in_list(1, 6);
  int encoded = 0;
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> commands;
    for (int count = lines_in_list(random); count > 0; --count) {
      std::string line = OpcodeKeyword(opcode_of_line(random));
      for (int length = length_of_line(random); length > 0; --length) {
        line.push_back(alphabet[character(random)]);
      }
      commands.push_back(line);
    }
    HeaderBuffer header(round % 2 ? kNandHeaderSize : kNorHeaderSize, 0xFF);
    if (!EncodeUserCommands(Project(commands), {{1, 2}}, {{3, 4}}, header).ok()) {
      continue;
    }
    ++encoded;
    for (int opcode = 0x80; opcode <= 0xFF; ++opcode) {
      const Bytes entry = Entry(header, opcode);
      if (entry != Bytes{0xFF, 0xFF, 0xFF, 0xFF}) {
        SCOPED_TRACE(opcode);
        const std::size_t offset = entry[0] * 256u + entry[1];
        EXPECT_GE(offset, kCommandAreaStart);
        EXPECT_LT(offset, std::min(header.size(), kNandCommandAreaEnd));
      }
    }
  }
  EXPECT_GT(encoded, 0);
}

}  // namespace
}  // namespace builder
