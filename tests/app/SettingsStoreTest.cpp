#include "app/SettingsStore.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

TEST(SettingsStoreTest, NumbersAreDecimalOrHexadecimalByTheirPrefix) {
  const struct {
    std::string_view text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"3", 3},
      {"-12", -12},
      {"+7", 7},
      {"0x2", 2},
      {"0X1f", 31},
      {"$10", 16},
      {"$FFFFFFFF", -1},
      {"0x", std::nullopt},  // too short for a prefix, and no decimal either
      {"0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"2147483648", std::nullopt},
      {"-2147483648", -2147483647 - 1},
      {"$100000000", std::nullopt},
      {"0x-1", std::nullopt},
      {"+-1", std::nullopt},
      {"12a", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"$", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace mxt::app
