#include "platform/output_name.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(OutputName, BinIsAppendedUnlessTheNameHoldsIt) {
  struct Case {
    const char* chosen;
    const char* output;
    const char* address_list;
  } cases[] = {
      {"pics", "pics.bin", "pics-Addr.txt"},
      {"X.BIN", "X.BIN.bin", "X.BIN-Addr.txt"},
      {"a.bin.old", "a.bin.old", "a-Addr.txt"},
      {"dir.bin/p", "dir.bin/p", "dir-Addr.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    auto output = OutputPathFor(c.chosen);
    ASSERT_TRUE(output.ok());
    EXPECT_EQ(*output, c.output);
    EXPECT_EQ(AddressListPathFor(*output), c.address_list);
  }
  EXPECT_EQ(AddressListPathFor("noext"), "noext-Addr.txt");
}

TEST(OutputName, EmptyNameIsRefused) {
  auto output = OutputPathFor("");
  ASSERT_FALSE(output.ok());
  EXPECT_EQ(output.error(), Error("Error file's name"));
}

}  // namespace
}  // namespace platform
