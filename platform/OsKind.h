#pragma once

#include <cstdint>

namespace mxt::platform {

// The kind of system found at start-up: 0 Win32s, 1 Windows 95 family, 2 Windows NT 3.51,
// 3 a later NT and every POSIX system, 4 anything else.
struct OsKindInfo {
  std::uint8_t kind;
  // The system's default list face is "MS UI Gothic".
  bool newUiFont;
};

OsKindInfo DetectOsKind();

// 2 (new-shell style) on kinds 1 and 3, else 1 (classic style).
constexpr std::uint8_t DefaultGuiStyle(std::uint8_t osKind) {
  return osKind == 1 || osKind == 3 ? 2 : 1;
}

}  // namespace mxt::platform
