#include "platform/HelperPlacement.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace mxt::platform {
namespace {

TEST(HelperPlacementTest, TheHelperMayRunEverywhereButOnTheCallersProcessor) {
  cpu_set_t callers;
  ASSERT_EQ(sched_getaffinity(0, sizeof callers, &callers), 0);
  if (CPU_COUNT(&callers) < 2) GTEST_SKIP() << "this thread may run on one processor only";
  std::atomic<bool> done = false;
  std::thread helper([&] {
    while (!done)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  HelperPlacement placement;
  // Called again if this thread moved during the call, as it does at every block.
  int processor = -1;
  for (int before = -2; before != processor;) {
    before = sched_getcpu();
    placement.KeepOffCallersProcessor(helper);
    processor = sched_getcpu();
  }
  cpu_set_t helpers;
  ASSERT_EQ(pthread_getaffinity_np(helper.native_handle(), sizeof helpers, &helpers), 0);
  done = true;
  helper.join();
  cpu_set_t expected = callers;
  CPU_CLR(processor, &expected);
  EXPECT_TRUE(CPU_EQUAL(&helpers, &expected))
      << "the helper may run on " << CPU_COUNT(&helpers) << " processors, the caller on "
      << processor << " of " << CPU_COUNT(&callers);
}

}  // namespace
}  // namespace mxt::platform
