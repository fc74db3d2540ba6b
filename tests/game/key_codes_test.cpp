// The one key-code table: the runner's key scripts name keys through it and the Qt key map
// and the binding pages translate into it, so a name and its code must always agree.
#include "game/key_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyCodes, EveryNamedKeyReadsBackAsItsOwnName) {
  for (int code = 0; code <= VK_F24; ++code) {
    const std::string name = KeyNameOf(static_cast<uint16_t>(code));
    ASSERT_EQ(KeyCodeByName(name), code) << name;
  }
  EXPECT_EQ(KeyNameOf(VK_SPACE), "VK_SPACE");
  EXPECT_EQ(KeyNameOf(VK_V), "V");
  EXPECT_EQ(KeyNameOf(200), "200");
}

TEST(KeyCodes, LettersAndDigitsInEitherCaseAndDecimalCodes) {
  EXPECT_EQ(KeyCodeByName("v"), VK_V);
  EXPECT_EQ(KeyCodeByName("C"), VK_C);
  EXPECT_EQ(KeyCodeByName("7"), uint16_t{'7'});
  EXPECT_EQ(KeyCodeByName("96"), VK_NUMPAD0);
  EXPECT_EQ(KeyCodeByName("65535"), 65535);
}

TEST(KeyCodes, AnythingElseIsNoKey) {
  for (const char* text : {"", "VK_NOPE", "vk_space", "ab", "-1", "65536", "123456", "!", "1x"})
    EXPECT_FALSE(KeyCodeByName(text).has_value()) << '"' << text << '"';
}

}  // namespace
