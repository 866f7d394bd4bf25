#include "app/HandOverChannel.h"

#include "app/DropBlock.h"

namespace mxt::app {

namespace {

constexpr std::size_t kFrameHeader = 5;

bool KnownType(std::uint8_t type) {
  return type >= static_cast<std::uint8_t>(HandOverMessage::StateQuery) &&
         type <= static_cast<std::uint8_t>(HandOverMessage::DropFiles);
}

}  // namespace

std::vector<std::uint8_t> EncodeFrame(HandOverMessage type, std::span<const std::uint8_t> payload) {
  std::vector<std::uint8_t> frame;
  frame.reserve(kFrameHeader + payload.size());
  frame.push_back(static_cast<std::uint8_t>(type));
  const auto length = static_cast<std::uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i)
    frame.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

std::vector<std::uint8_t> EncodeState(const InstanceState& state) {
  return {state.acceptsFiles, state.enabled, state.minimized, state.maximized};
}

std::optional<InstanceState> DecodeState(std::span<const std::uint8_t> payload) {
  if (payload.size() != 4) return std::nullopt;
  return InstanceState{payload[0] != 0, payload[1] != 0, payload[2] != 0, payload[3] != 0};
}

void FrameReader::Feed(std::span<const std::uint8_t> bytes) {
  if (!refused_) pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

std::optional<HandOverFrame> FrameReader::Next() {
  if (refused_ || pending_.size() < kFrameHeader) return std::nullopt;
  std::uint32_t length = 0;
  for (int i = 4; i >= 1; --i)
    length = length << 8 | pending_[static_cast<std::size_t>(i)];
  if (!KnownType(pending_[0]) || length > kDropBlockLimit) {
    refused_ = true;
    pending_.clear();
    return std::nullopt;
  }
  if (pending_.size() < kFrameHeader + length) return std::nullopt;
  HandOverFrame frame{static_cast<HandOverMessage>(pending_[0]), {}};
  const auto begin = pending_.begin() + kFrameHeader;
  frame.payload.assign(begin, begin + length);
  pending_.erase(pending_.begin(), begin + length);
  return frame;
}

}  // namespace mxt::app
