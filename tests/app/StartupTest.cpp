#include "app/Startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mxt::app {
namespace {

TEST(DecideStorageTest, TheINIFileOnlyForTheFirstArgument) {
  const struct {
    std::vector<std::string> arguments;
    std::uint8_t osKind;
    bool iniFile;
  } cases[] = {
      {{}, 3, false},
      {{"/INIFILE"}, 3, true},
      {{"-IniFile", "a.txt"}, 3, true},
      {{"a.txt", "/INIFILE"}, 3, false},
      {{"/INIFILES"}, 3, false},
      {{}, 0, true},
      {{"a.txt"}, 4, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecideStorage(c.arguments, c.osKind), c.iniFile)
        << (c.arguments.empty() ? "" : c.arguments[0]) << " on " << int(c.osKind);
  }
}

}  // namespace
}  // namespace mxt::app
