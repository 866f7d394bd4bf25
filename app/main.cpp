#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "app/Usage.h"
#include "app/Version.h"
#include "app/WindowModule.h"

namespace {

// Help and the version come before anything starts; as with a report, text that could not
// be written fails the start.
int Print(const std::string& text) {
  std::cout << text;
  return mxt::app::FinishReport(std::cout, std::cerr, mxt::app::kExitDone);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (mxt::app::AsksForHelp(arguments)) return Print(mxt::app::UsageText());
  if (mxt::app::AsksForVersion(arguments))
    return Print("MXT " + std::string(mxt::app::kVersion) + "\n");
  if (!mxt::app::HasDisplay()) {
    return mxt::app::RunWithoutWindow(arguments, std::cout, std::cerr);
  }
  return mxt::app::RunWindowModule(argc, argv, std::cerr);
}
