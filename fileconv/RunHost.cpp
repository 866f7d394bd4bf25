#include "fileconv/RunHost.h"

namespace mxt::fileconv {

std::string_view MessageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return "警告";
    case MessageKind::Error:
      return "ｴﾗｰ";
    case MessageKind::Information:
      return "情報";
    case MessageKind::Confirmation:
      return "確認";
  }
  return "";
}

}  // namespace mxt::fileconv
