#include "app/HandOver.h"

#include <algorithm>

#include "app/CommandLine.h"

namespace mxt::app {

bool ShouldHandOver(const std::vector<std::string>& arguments, bool convertsOnStart) {
  if (convertsOnStart) return false;
  // Standard input is no file another instance could take.
  ArgumentSequence sequence;
  return std::all_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
    const ArgumentRole role = sequence.RoleOf(argument);
    return role == ArgumentRole::File || role == ArgumentRole::EndOfOptions;
  });
}

HandOverSteps StepsFor(const InstanceState& running) {
  HandOverSteps steps;
  steps.warnBusy = !running.acceptsFiles || !running.enabled;
  // A window with a dialog open is only brought forward, dialog first.
  if (!running.enabled) {
    steps.messages = {HandOverMessage::BringToFront};
    return steps;
  }
  // A start without a show state of its own returns the window to its normal state.
  if (running.minimized || running.maximized) steps.messages.push_back(HandOverMessage::Restore);
  steps.messages.push_back(HandOverMessage::BringToFront);
  steps.sendFiles = running.acceptsFiles;
  return steps;
}

}  // namespace mxt::app
