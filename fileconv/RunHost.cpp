#include "fileconv/RunHost.h"
#include "fileconv/MessageTexts.h"

namespace mxt::fileconv {

std::string_view MessageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return message::kWarning;
    case MessageKind::Error:
      return message::kError;
    case MessageKind::Information:
      return message::kInformation;
    case MessageKind::Confirmation:
      return message::kConfirmation;
  }
  return "";
}

}  // namespace mxt::fileconv
