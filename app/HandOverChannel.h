#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace mxt::app {

// What a second start says to the running instance over the local channel, in the order
// of the hand-over: it asks for the window's state, sets the show state, brings the
// window forward, marks the drop as its own, and sends the dropped-files blocks.
enum class HandOverMessage : std::uint8_t {
  StateQuery = 1,
  State = 2,  // the answer: four flags
  Minimize = 3,
  Restore = 4,
  Maximize = 5,
  BringToFront = 6,
  Mark = 7,  // "MXTW_MESSAGE_1": the next drop comes from another start
  DropFiles = 8,
};

inline constexpr std::string_view kHandOverMark = "MXTW_MESSAGE_1";
// The name of the channel in the per-user runtime folder.
inline constexpr std::string_view kChannelName = "TMXTWClass";
// Told once, followed by the reason, when there is no private runtime folder: later starts
// then open windows of their own.
inline constexpr std::string_view kNoChannelMessage =
    "この利用者だけのフォルダを作れないため、後から起動した MXT "
    "のファイルを受け取れません。\n";

struct InstanceState {
  bool acceptsFiles = false;  // no run is in progress
  bool enabled = false;       // no dialog of the program is open
  bool minimized = false;
  bool maximized = false;
};

struct HandOverFrame {
  HandOverMessage type;
  std::vector<std::uint8_t> payload;
};

// A frame on the wire: its type, its payload's length (32 bits little-endian), the payload.
std::vector<std::uint8_t> EncodeFrame(HandOverMessage type,
                                      std::span<const std::uint8_t> payload = {});
std::vector<std::uint8_t> EncodeState(const InstanceState& state);
std::optional<InstanceState> DecodeState(std::span<const std::uint8_t> payload);

// Takes the bytes of a connection as they come and gives its whole frames. A frame of an
// unknown type, or larger than any the hand-over sends, refuses the connection for good.
class FrameReader {
 public:
  void Feed(std::span<const std::uint8_t> bytes);
  std::optional<HandOverFrame> Next();
  bool Refused() const { return refused_; }

 private:
  std::deque<std::uint8_t> pending_;
  bool refused_ = false;
};

}  // namespace mxt::app
