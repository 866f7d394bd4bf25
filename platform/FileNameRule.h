#pragma once

namespace mxt::platform {

// How the system spells file names. Scans over a name step over the byte after a lead
// byte, so that a trail byte equal to the separator or to an ASCII letter is never taken
// for one.
struct FileNameRule {
  bool (*isLeadByte)(unsigned char byte);
  char separator;
  // Drive letters ("D:") and share roots ("\\srv\share") exist.
  bool hasDrives;
  // Names that differ only in the case of ASCII letters name one file.
  bool ignoresAsciiCase;
  // A byte that belongs to the character before it without being a trail byte of a lead
  // byte: the later bytes of a UTF-8 character. What is cut to fit keeps whole characters.
  bool (*continuesCharacter)(unsigned char byte);
};

const FileNameRule& SystemFileNameRule();

}  // namespace mxt::platform
