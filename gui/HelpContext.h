#pragma once

#include <QObject>
#include <optional>

class QDialog;

namespace mxt::gui {

class ProgramHelp;

// Gives the object the help context of its object name, when that name has one.
void AssignHelpContext(QObject& object);
void SetHelpContext(QObject& object, int context);
// The help context of the object, or of the nearest object holding it that has one; for a
// menu bar, that of the menu it highlights.
std::optional<int> HelpContextAt(const QObject* object);

// Names a dialog of the program and gives it the help context of that name. It blocks only
// the window it belongs to, so the help window stays usable beside it, and a dialog built
// from the toolkit's own button box gets the Help button. A file dialog makes the folder
// of the chosen file the current one.
void PrepareDialog(QDialog& dialog, const QString& name, ProgramHelp& help);

// F1 opens help at the help context of the control, menu or dialog it is pressed in.
class HelpKeyFilter : public QObject {
 public:
  HelpKeyFilter(ProgramHelp& help, QObject* parent) : QObject(parent), help_(help) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ProgramHelp& help_;
};

}  // namespace mxt::gui
