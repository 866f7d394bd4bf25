#include "platform/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "platform/StopSignals.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using mxt::testing::ReadFile;
using mxt::testing::TempDir;
using mxt::testing::WriteFile;

// The started program writes its file under another name and renames it, so a file
// that is there is complete. Gives up after ten seconds.
std::string WaitForFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (::access(path.c_str(), F_OK) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return "";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return ReadFile(path);
}

void ExpectNoChildLeft() {
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

// "$0" is the file to write, the words after it are what the program was given.
const char kWriteArguments[] = R"(printf '%s|' "$@" > "$0.part" && mv "$0.part" "$0")";

TEST(StartDetachedTest, PassesEveryArgumentAsItIsAndLeavesNoChild) {
  TempDir dir;
  ASSERT_TRUE(
      StartDetached({"sh", "-c", kWriteArguments, dir / "out", "a b", "$HOME", "'q'", "", "*"}));
  ExpectNoChildLeft();
  EXPECT_EQ(WaitForFile(dir / "out"), "a b|$HOME|'q'||*|");
}

// Our standard input is a file of the test's while it lives.
class ScopedStdin {
 public:
  explicit ScopedStdin(const std::string& path) : saved_(::dup(STDIN_FILENO)) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT, 0600);
    ::dup2(fd, STDIN_FILENO);
    ::close(fd);
  }
  ScopedStdin(const ScopedStdin&) = delete;
  ScopedStdin& operator=(const ScopedStdin&) = delete;
  ~ScopedStdin() {
    ::dup2(saved_, STDIN_FILENO);
    ::close(saved_);
  }

 private:
  int saved_;
};

TEST(StartDetachedTest, TheProgramRunsInASessionOfItsOwnAndReadsNothingOfOurs) {
  TempDir dir;
  const ScopedStdin ours(dir / "in");
  // It stays until the test ends it, so that it can be looked at. Bash, as dash unblocks
  // every signal itself.
  const char script[] = R"(echo $$ > "$0.part" && readlink /proc/$$/fd/0 >> "$0.part" &&)"
                        R"( grep -e SigBlk -e SigIgn /proc/$$/status >> "$0.part" &&)"
                        R"( mv "$0.part" "$0"; exec sleep 30)";
  {
    const HeldStopSignals held;
    // As the program ignores it, so that a write past the size limit fails.
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &before);
    ASSERT_TRUE(StartDetached({"bash", "-c", script, dir / "out"}));
    ::sigaction(SIGXFSZ, &before, nullptr);
  }
  ExpectNoChildLeft();
  // Its process id, its standard input, and "SigBlk:" and "SigIgn:" with the signals it
  // holds off and ignores.
  std::istringstream out(WaitForFile(dir / "out"));
  pid_t pid = 0;
  std::string stdinPath, label, blocked, ignoredLabel, ignored;
  ASSERT_TRUE(out >> pid >> stdinPath >> label >> blocked >> ignoredLabel >> ignored);
  EXPECT_NE(::getsid(pid), ::getsid(0));
  EXPECT_EQ(stdinPath, "/dev/null");
  const unsigned long long mask = std::stoull(blocked, nullptr, 16);
  for (const int number : {SIGHUP, SIGINT, SIGTERM})
    EXPECT_EQ(mask & (1ull << (number - 1)), 0u) << "held off: " << number;
  EXPECT_EQ(std::stoull(ignored, nullptr, 16) & (1ull << (SIGXFSZ - 1)), 0u) << "SIGXFSZ ignored";
  ::kill(pid, SIGKILL);
}

TEST(StartDetachedTest, FailsForAProgramThatCannotBeStarted) {
  TempDir dir;
  WriteFile(dir / "not-executable", "#!/bin/sh\n");
  ::chmod((dir / "not-executable").c_str(), 0644);
  for (const std::string& program :
       {dir / "missing", std::string("mxt-no-such-program"), dir / "not-executable", dir.Path()}) {
    EXPECT_FALSE(StartDetached({program, "argument"})) << program;
  }
  EXPECT_FALSE(StartDetached({}));
  ExpectNoChildLeft();
}

}  // namespace
}  // namespace mxt::platform
