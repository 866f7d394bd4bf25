#include "app/WindowLanguage.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

TEST(WindowLanguageTest, StoredChoiceWinsAndAutomaticFollowsTheSystem) {
  const struct {
    int stored;
    const char* locale;
    WindowLanguage expected;
  } cases[] = {
      {0, "ja_JP", WindowLanguage::Japanese},   {0, "ja-JP", WindowLanguage::Japanese},
      {0, "ja", WindowLanguage::Japanese},      {0, "C", WindowLanguage::Japanese},
      {0, "C.UTF-8", WindowLanguage::Japanese}, {0, "POSIX", WindowLanguage::Japanese},
      {0, "", WindowLanguage::Japanese},        {0, "en_US", WindowLanguage::English},
      {0, "en-GB", WindowLanguage::English},    {0, "de_DE@euro", WindowLanguage::English},
      {0, "jam", WindowLanguage::English},      {1, "en_US", WindowLanguage::Japanese},
      {2, "ja_JP", WindowLanguage::English},    {2, "C", WindowLanguage::English},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseWindowLanguage(c.stored, c.locale), c.expected) << c.stored << c.locale;
}

}  // namespace
}  // namespace mxt::app
