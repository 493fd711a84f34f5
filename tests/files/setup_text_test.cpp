// The reader's text routines at their edges.

#include <gtest/gtest.h>

#include "files/setup_text.h"

namespace qv {
namespace {

TEST(SetupText, CommentsAndBlanks) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Product = QV3380 ; comment", "Product = QV3380"},
      {" \t\v\f\r\n&h11,&b0 \r\n", "&h11,&b0"},
      {";only a comment", ""},
      {"a;b;c", "a"},
      {"   ", ""},
      {"", ""},
  };
  for (const auto& [line, trimmed] : cases) {
    EXPECT_EQ(TrimBlanks(StripComment(line)), trimmed) << line;
  }
}

TEST(SetupText, SplitKeyValue) {
  struct Case {
    std::string_view line;
    const char* key;
    const char* value;
  };
  const std::string longKey(60, 'k');
  const std::string longValue(60, 'v');
  const Case cases[] = {
      {"Product = QV3380", "Product", "QV3380"},
      {"REFSEL=&h1", "REFSEL", "&h1"},
      {"a = b = c", "a", "b = c"},
      {"=5", "", "5"},
      {"Product =", "Product", "="},
      {"Product =  \t", "Product", "="},
  };
  for (const Case& c : cases) {
    const auto pair = SplitKeyValue(c.line);
    ASSERT_TRUE(pair) << c.line;
    EXPECT_EQ(pair->key, c.key) << c.line;
    EXPECT_EQ(pair->value, c.value) << c.line;
  }
  EXPECT_FALSE(SplitKeyValue("no equals sign"));
  // Both are cut to 49 characters; the key loses the blanks the cut leaves.
  const auto cut = SplitKeyValue(std::string(48, 'k') + "  =" + longValue);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->key, std::string(48, 'k'));
  EXPECT_EQ(cut->value, std::string(49, 'v'));
  EXPECT_EQ(SplitKeyValue(longKey + "=1")->key, std::string(49, 'k'));
}

TEST(SetupText, BinaryDigits) {
  EXPECT_EQ(ParseBinaryDigits("11010000"), 208);
  EXPECT_EQ(ParseBinaryDigits("101"), 5);
  EXPECT_EQ(ParseBinaryDigits("00000000"), 0);
  EXPECT_FALSE(ParseBinaryDigits("1101x000"));
  EXPECT_FALSE(ParseBinaryDigits("2"));
}

TEST(SetupText, CaseInsensitiveComparison) {
  EXPECT_TRUE(EqualsIgnoringCase("<REGISTERMAP>", "<RegisterMap>"));
  EXPECT_TRUE(EqualsIgnoringCase("max_bw", "MAX_BW"));
  EXPECT_FALSE(EqualsIgnoringCase("QV3380 ", "QV3380"));
}

}  // namespace
}  // namespace qv
