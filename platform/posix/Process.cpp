#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace mxt::platform {

namespace {

// Between fork and exec only async-signal-safe calls: the argument vector is built first.
std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

void ReportError(int report) {
  const int error = errno;
  (void)!::write(report, &error, sizeof error);
}

// The started program reads nothing of ours: its standard input is /dev/null. Its output
// and errors go where ours go, so that its complaints can be seen. Signals held off
// here are not held off for it.
[[noreturn]] void ExecGrandchild(char* const* argv, int report) {
  const int null = ::open("/dev/null", O_RDONLY);
  // It already is 0 when ours was closed.
  if (null > STDIN_FILENO) {
    ::dup2(null, STDIN_FILENO);
    ::close(null);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::execvp(argv[0], argv);
  ReportError(report);
  ::_exit(127);
}

// A session of its own, so that the terminal's signals to us do not reach the program;
// the middle process ends at once, so the program is nobody's child here.
[[noreturn]] void RunChild(char* const* argv, int report) {
  ::setsid();
  const pid_t grandchild = ::fork();
  if (grandchild == 0) ExecGrandchild(argv, report);
  if (grandchild < 0) ReportError(report);
  ::_exit(0);
}

// The report pipe closes on a successful exec; anything written to it is a failure.
bool ExecSucceeded(int report) {
  int error = 0;
  ssize_t got = 0;
  do {
    got = ::read(report, &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  return got == 0;
}

void Reap(pid_t child) {
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

bool StartDetached(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  const std::vector<char*> argv = ArgumentVector(arguments);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    RunChild(argv.data(), report[1]);
  }
  ::close(report[1]);
  bool started = false;
  if (child > 0) {
    started = ExecSucceeded(report[0]);
    Reap(child);
  }
  ::close(report[0]);
  return started;
}

}  // namespace mxt::platform
