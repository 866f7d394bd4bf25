#pragma once

namespace mxt::engine {

#if defined(__x86_64__)
inline bool CpuHasAvx2() {
  return __builtin_cpu_supports("avx2");
}
#endif

}  // namespace mxt::engine
