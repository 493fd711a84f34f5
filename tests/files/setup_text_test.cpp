// Splitting a setup line into key and value, at the edges the reader tests do not reach.

#include <gtest/gtest.h>

#include "files/setup_text.h"

namespace qv {
namespace {

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

}  // namespace
}  // namespace qv
