#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

namespace mxt::gui {

// Takes files dropped on a window from other programs: local files only, and never rows
// dragged out of this program's own lists. The names go on once the drop is over, so that
// the program they came from is not kept waiting through the boxes and the run that may
// follow.
class FileDropTarget : public QObject {
 public:
  using DropTaken = std::function<void(std::vector<std::string> names)>;

  FileDropTarget(QWidget& window, DropTaken taken);

  // While not accepting, the window takes no drop at all.
  void SetAccepting(bool accepting);

  // Marks a drag out of this program's own lists, which its windows refuse.
  static void MarkOwnDrag(QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static bool Accepts(const QMimeData& data);

  QWidget& window_;
  DropTaken taken_;
};

}  // namespace mxt::gui
