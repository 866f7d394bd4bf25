#include "tests/support/ProgramRun.h"

#include <sys/wait.h>

#include <cstdlib>

namespace mxt::testing {

Outcome RunProgram(const std::string& program, const TempDir& dir, const std::string& commands) {
  const std::string script = "cd '" + dir.Path() + "' && unset DISPLAY WAYLAND_DISPLAY && " +
                             "export XDG_CONFIG_HOME='" + (dir / "config") + "' TMPDIR='" +
                             dir.Path() + "/' MXT='" + program +
                             "' && mxt() { \"$MXT\" \"$@\"; } && " + commands;
  WriteFile(dir / "run.sh", script);
  const int status = std::system(
      ("sh '" + (dir / "run.sh") + "' >'" + (dir / "stdout") + "' 2>'" + (dir / "stderr") + "'")
          .c_str());
  return {WEXITSTATUS(status), ReadFile(dir / "stdout"), ReadFile(dir / "stderr")};
}

}  // namespace mxt::testing
