#pragma once

#include <string>
#include <vector>

#include "app/HandOverChannel.h"

namespace mxt::app {

// Whether a start, while another instance runs, hands its files to it and ends: not when
// ConvWhenExecuted is stored as 1 (`convertsOnStart`), nor when any argument is an option.
bool ShouldHandOver(const std::vector<std::string>& arguments, bool convertsOnStart);

// What the handing-over start does once it knows the running instance's state.
struct HandOverSteps {
  // The busy-instance warning (message::kBusyInstance) before anything else.
  bool warnBusy = false;
  // Sent in order: the show state, bringing the window (or its dialog) forward.
  std::vector<HandOverMessage> messages;
  bool sendFiles = false;
};
HandOverSteps StepsFor(const InstanceState& running);

}  // namespace mxt::app
