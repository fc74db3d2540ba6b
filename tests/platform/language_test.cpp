// The language setting and the texts of the layers that speak to the player through it.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/language.h"

namespace {

class InEnglish : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentLanguage(Language::kJapanese); }
};

TEST_F(InEnglish, CodesRoundTripAndAnythingElseIsNoLanguage) {
  for (Language l : {Language::kJapanese, Language::kEnglish})
    EXPECT_EQ(LanguageFromCode(LanguageCode(l)), l);
  for (const char* code : {"", "EN", "en_GB", "jp", "fr"}) EXPECT_FALSE(LanguageFromCode(code)) << code;
  EXPECT_EQ(CurrentLanguage(), Language::kJapanese) << "Japanese is the default";
}

// Values go in whole and are never read as patterns themselves: a path holding "{0}" stays.
TEST_F(InEnglish, FillPutsEachValueInItsPlaceOnce) {
  EXPECT_EQ(Fill("{1} after {0}", {"a/{1}", "b"}), "b after a/{1}");
  EXPECT_EQ(Fill("{0}{0}", {"x"}), "xx");
  EXPECT_EQ(Fill("{2} left empty", {"a"}), " left empty");
  EXPECT_EQ(Fill("{} {x} {12345} {", {"a"}), "{} {x} {12345} {");
}

TEST_F(InEnglish, SystemReasonsFollowTheLanguage) {
  const std::string japanese = platform::SystemReason(ENOENT);
  const std::string unknown = platform::SystemReason(4242);
  SetCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(platform::SystemReason(ENOENT), "No such file or folder");
  EXPECT_EQ(platform::SystemReason(4242), "System error (number 4242)");
  SetCurrentLanguage(Language::kJapanese);
  EXPECT_EQ(platform::SystemReason(ENOENT), japanese);
  EXPECT_EQ(unknown, "システムエラーです（番号 4242）");
}

}  // namespace
