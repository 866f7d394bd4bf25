#include "platform/HelperPlacement.h"

#include <pthread.h>
#include <sched.h>

namespace mxt::platform {

void HelperPlacement::KeepOffCallersProcessor(std::thread& helper) noexcept {
  const int processor = sched_getcpu();
  if (processor < 0 || processor == callersProcessor_) return;
  callersProcessor_ = processor;
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0 || CPU_COUNT(&allowed) < 2) return;
  CPU_CLR(processor, &allowed);
  pthread_setaffinity_np(helper.native_handle(), sizeof allowed, &allowed);
}

}  // namespace mxt::platform
