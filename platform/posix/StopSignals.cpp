#include "platform/StopSignals.h"

#include <signal.h>

#include <cstring>
#include <iterator>

namespace mxt::platform {

namespace {

volatile sig_atomic_t signalled = 0;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnStopSignal(int number) {
  if (signalled) {
    ::signal(number, SIG_DFL);
    ::raise(number);
    return;
  }
  signalled = number;
}

sigset_t StopSet() {
  sigset_t set;
  ::sigemptyset(&set);
  for (const int number : kStopSignals)
    ::sigaddset(&set, number);
  return set;
}

}  // namespace

void CatchStopSignals() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = OnStopSignal;
  action.sa_flags = SA_RESTART;
  ::sigemptyset(&action.sa_mask);
  for (const int number : kStopSignals)
    ::sigaction(number, &action, nullptr);
  ::signal(SIGXFSZ, SIG_IGN);
}

bool StopSignalled() {
  return signalled != 0;
}

void ClearStopSignal() {
  signalled = 0;
}

HeldStopSignals::HeldStopSignals() {
  const sigset_t stop = StopSet();
  sigset_t before;
  ::sigprocmask(SIG_BLOCK, &stop, &before);
  for (unsigned i = 0; i < std::size(kStopSignals); ++i) {
    if (!::sigismember(&before, kStopSignals[i])) released_ |= 1u << i;
  }
}

HeldStopSignals::~HeldStopSignals() {
  sigset_t release;
  ::sigemptyset(&release);
  for (unsigned i = 0; i < std::size(kStopSignals); ++i) {
    if (released_ & (1u << i)) ::sigaddset(&release, kStopSignals[i]);
  }
  ::sigprocmask(SIG_UNBLOCK, &release, nullptr);
}

}  // namespace mxt::platform
