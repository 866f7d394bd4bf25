#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "app/Usage.h"
#include "app/Version.h"
#include "app/WindowModule.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (mxt::app::AsksForHelp(arguments)) {
    std::cout << mxt::app::UsageText();
    return mxt::app::kExitDone;
  }
  if (mxt::app::AsksForVersion(arguments)) {
    std::cout << "MXT " << mxt::app::kVersion << '\n';
    return mxt::app::kExitDone;
  }
  if (!mxt::app::HasDisplay()) {
    return mxt::app::RunWithoutWindow(arguments, std::cout, std::cerr);
  }
  return mxt::app::RunWindowModule(argc, argv, std::cerr);
}
