#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

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
// here are not held off for it, and the file-size signal we ignore ends it as usual.
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
  ::signal(SIGXFSZ, SIG_DFL);
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

// The start time from /proc/<pid>/stat: the 22nd field, counted after the name in
// parentheses, which may itself hold spaces and parentheses.
std::optional<std::uint64_t> StartTimeOf(const std::string& statPath) {
  std::ifstream file(statPath);
  const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t nameEnd = stat.rfind(')');
  if (!file || nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string field;
  for (int number = 3; number < 22 && fields >> field; ++number) {
  }
  std::uint64_t started = 0;
  if (!(fields >> started)) return std::nullopt;
  return started;
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

ProcessStamp ThisProcess() {
  return {::getpid(), StartTimeOf("/proc/self/stat").value_or(0)};
}

bool ProcessEnded(const ProcessStamp& stamp) {
  if (stamp.started == 0 || stamp.id <= 0) return false;
  if (::kill(static_cast<pid_t>(stamp.id), 0) != 0 && errno == ESRCH) return true;
  const auto started = StartTimeOf("/proc/" + std::to_string(stamp.id) + "/stat");
  // Without /proc nothing tells a later process of the same number apart.
  return started && *started != stamp.started;
}

std::uint32_t ThisUser() {
  return ::geteuid();
}

}  // namespace mxt::platform
