#pragma once

#include <string>
#include <vector>

namespace mxt::gui {

// The handing-over start's side of the channel: asks the running instance for its state,
// tells it what to show, and sends this start's files. Messages of the hand-over go to
// boxes here. Returns without a word when no instance answers.
void HandOver(const std::vector<std::string>& arguments);

}  // namespace mxt::gui
