#pragma once

#include <iosfwd>
#include <string>

namespace mxt::app {

// The window is a module of its own, loaded only when a start shows a window, so that a
// batch run never loads the toolkit. It exports this function, which runs the whole start
// with the window and returns its exit code.
inline constexpr char kWindowEntryPoint[] = "mxt_run_window";
using WindowEntryPoint = int (*)(int* argc, char** argv);

// Where the module is: beside the program in a build, else where installing put it.
std::string WindowModulePath(const std::string& programPath, bool installed);

// Loads the window module and runs the start with it. When it cannot be loaded the reason
// goes to `errors` and the start ends with kExitCannotStart.
int RunWindowModule(int& argc, char** argv, std::ostream& errors);

}  // namespace mxt::app
