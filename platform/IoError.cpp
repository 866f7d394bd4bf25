#include "platform/IoError.h"

#include <cstring>
#include <string>

#include "platform/SystemString.h"

namespace mxt::platform {

namespace {

std::string Describe(int osCode, std::string_view path, int systemError) {
  std::string text = "I/O ｴﾗｰ (" + std::to_string(osCode) + ") ";
  text += std::strerror(systemError < 0 ? osCode : systemError);
  if (!path.empty()) text += ": " + SystemStringToUtf8(path);
  return text;
}

}  // namespace

IoError::IoError(int osCode, std::string_view path, int systemError)
    : std::runtime_error(Describe(osCode, path, systemError)), code_(osCode) {}

}  // namespace mxt::platform
