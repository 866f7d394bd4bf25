#pragma once

#include <functional>
#include <string_view>

#include "fileconv/RunHost.h"

class QWidget;

namespace mxt::gui {

// Every message box of the program: the caption of its kind, "OK" or "OK" and "ｷｬﾝｾﾙ",
// and a "\r" in the text as a line break.
fileconv::MessageAnswer ShowMessage(QWidget* parent, fileconv::MessageKind kind,
                                    std::string_view text, fileconv::MessageButtons buttons);

// The one box of another kind: `caption` with the information icon and "OK".
void ShowPlainMessage(QWidget* parent, std::string_view caption, std::string_view text);

// Answers the boxes instead of a person, for tests; an empty function shows them again.
using MessageAnswerer = std::function<fileconv::MessageAnswer(
    fileconv::MessageKind kind, std::string_view text, fileconv::MessageButtons buttons)>;
void SetMessageAnswerer(MessageAnswerer answerer);

}  // namespace mxt::gui
