#include <iostream>
#include <string>
#include <vector>

#include "app/Startup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return mxt::app::RunWithoutWindow(arguments, std::cout, std::cerr);
}
