#include "platform/OsKind.h"

#include <gtest/gtest.h>

namespace mxt::platform {
namespace {

TEST(OsKindTest, OnlyTheNewShellKindsDefaultToTheNewStyle) {
  const std::uint8_t styles[] = {1, 2, 1, 2, 1};
  for (std::uint8_t kind = 0; kind < 5; ++kind)
    EXPECT_EQ(DefaultGuiStyle(kind), styles[kind]);
}

TEST(OsKindTest, APosixSystemIsANewShellSystemWithoutTheNewUiFont) {
  const OsKindInfo info = DetectOsKind();
  EXPECT_EQ(info.kind, 3);
  EXPECT_FALSE(info.newUiFont);
}

}  // namespace
}  // namespace mxt::platform
