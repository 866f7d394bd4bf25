#include "app/HelpContexts.h"

#include <algorithm>

namespace mxt::app {

std::optional<int> HelpContextOf(std::string_view name) {
  const auto* use = std::find_if(std::begin(kHelpContexts), std::end(kHelpContexts),
                                 [&](const HelpContextUse& u) { return u.name == name; });
  if (use == std::end(kHelpContexts)) return std::nullopt;
  return use->context;
}

}  // namespace mxt::app
