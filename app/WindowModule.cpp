#include "app/WindowModule.h"

#include <ostream>

#include "app/InstallLayout.h"
#include "app/Startup.h"
#include "fileconv/PathText.h"
#include "platform/FindFile.h"
#include "platform/LoadedModule.h"
#include "platform/SystemPaths.h"

namespace mxt::app {

namespace {

constexpr char kModuleName[] = "mxt-window.so";

}  // namespace

std::string WindowModulePath(const std::string& programPath, bool installed) {
  const std::string folder = fileconv::DirectoryPart(programPath);
  return installed ? folder + kInstalledWindowModule : folder + kModuleName;
}

int RunWindowModule(int& argc, char** argv, std::ostream& errors) {
  const std::string program = platform::ProgramPath();
  std::string path = WindowModulePath(program, false);
  if (!platform::FindFile(path)) path = WindowModulePath(program, true);
  std::string error;
  const std::optional<platform::LoadedModule> module = platform::LoadedModule::Load(path, error);
  const auto run =
      module ? reinterpret_cast<WindowEntryPoint>(module->Symbol(kWindowEntryPoint)) : nullptr;
  if (!run) {
    errors << "MXT: ウィンドウを開けません (" << (module ? path : error) << ")\n";
    return kExitCannotStart;
  }
  return run(&argc, argv);
}

}  // namespace mxt::app
