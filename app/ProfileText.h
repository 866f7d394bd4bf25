#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mxt::app {

// The text of a profile (INI) file, read and changed as the system's profile-string calls
// do: section and key names compared without regard to ASCII case, values trimmed of
// blanks, at most kProfileValueLimit bytes of a value seen. Lines end in CR LF, LF or a CR
// alone; a UTF-8 byte-order mark before the first line is passed over, and kept.
inline constexpr std::size_t kProfileValueLimit = 1023;

// The value of `key` in `section`, or nothing when either is missing.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// Whether `value`, written, reads back as it is: no line break, no blanks at either end,
// no longer than a read sees.
bool ReadsBackAsWritten(std::string_view value);

// The text with `key` in `section` set to `value`; every other line stays as it was. A
// missing key is added at the end of its section, a missing section at the end of the text.
std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace mxt::app
