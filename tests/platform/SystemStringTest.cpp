#include "platform/SystemString.h"

#include <gtest/gtest.h>

namespace mxt::platform {
namespace {

TEST(SystemStringTest, KeepsValidUtf8AndReplacesEveryStrayByte) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"/data/メモ.txt", "/data/メモ.txt"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"a\x82\xA0z", "a\xEF\xBF\xBD\xEF\xBF\xBDz"},              // a Shift-JIS name
      {"\xE3\x81", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // cut short
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong "/"
  };
  for (const auto& c : cases)
    EXPECT_EQ(SystemStringToUtf8(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace mxt::platform
