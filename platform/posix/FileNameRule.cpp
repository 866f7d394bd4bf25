#include "platform/FileNameRule.h"

namespace mxt::platform {

namespace {

// No UTF-8 trail byte is ASCII, so a byte-wise scan is already safe.
bool NoLeadByte(unsigned char) {
  return false;
}

bool IsUtf8Continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

constexpr FileNameRule kPosixRule{NoLeadByte, '/', false, false, IsUtf8Continuation};

}  // namespace

const FileNameRule& SystemFileNameRule() {
  return kPosixRule;
}

}  // namespace mxt::platform
