#include "platform/FileNameRule.h"

namespace mxt::platform {

namespace {

// No UTF-8 trail byte is ASCII, so a byte-wise scan is already safe.
bool NoLeadByte(unsigned char) {
  return false;
}

constexpr FileNameRule kPosixRule{NoLeadByte, '/', false, false};

}  // namespace

const FileNameRule& SystemFileNameRule() {
  return kPosixRule;
}

}  // namespace mxt::platform
