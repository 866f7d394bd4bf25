// The entry point of the window module, the one symbol it exports.
#include <string>
#include <vector>

#include "gui/WindowedStart.h"

extern "C" [[gnu::visibility("default")]] int mxt_run_window(int* argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + *argc);
  return mxt::gui::RunWindowed(arguments, *argc, argv);
}
