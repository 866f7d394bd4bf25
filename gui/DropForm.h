#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/MinForm.h"

namespace mxt::gui {

// A form that files can be dropped on from other programs: local files only, and never
// rows dragged out of its own lists.
class TDropForm : public TMinForm {
 public:
  explicit TDropForm(QSize minimumTrackingSize);

  // The names of the last drop; kept until the next one.
  const std::vector<std::string>& DroppedFiles() const { return droppedFiles_; }
  // Takes a drop that came by another way than the mouse (from another start of the
  // program, say), as if it had been dropped at the top left corner.
  void TakeDrop(std::vector<std::string> names);

  // After a drop: the point in client coordinates, and whether it fell in the client area.
  std::function<void(int x, int y, bool inClientArea)> OnDropFiles;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool Accepts(const QDropEvent& event) const;

  std::vector<std::string> droppedFiles_;
};

}  // namespace mxt::gui
