#include "gui/DropForm.h"

#include <unistd.h>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "gui/SystemText.h"

namespace mxt::gui {

TDropForm::TDropForm(QSize minimumTrackingSize) : TMinForm(minimumTrackingSize) {
  setAcceptDrops(true);
}

bool TDropForm::Accepts(const QDropEvent& event) const {
  // Rows dragged out of this window's own lists are never dropped back on it.
  const QByteArray source = event.mimeData()->data(QStringLiteral("application/x-mxt-drag-source"));
  if (source == QByteArray::number(static_cast<qint64>(::getpid()))) return false;
  const QList<QUrl> urls = event.mimeData()->urls();
  return !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& url) {
    return LocalPathOf(url).has_value();
  });
}

void TDropForm::dragEnterEvent(QDragEnterEvent* event) {
  if (Accepts(*event)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TDropForm::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts(*event)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TDropForm::dropEvent(QDropEvent* event) {
  if (!Accepts(*event)) return event->ignore();
  std::vector<std::string> names;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (const QUrl& url : event->mimeData()->urls())
    names.push_back(*LocalPathOf(url));
  QApplication::restoreOverrideCursor();
  event->acceptProposedAction();
  const QPoint at = centralWidget() ? centralWidget()->mapFrom(this, event->position().toPoint())
                                    : event->position().toPoint();
  const bool inClient = centralWidget() && centralWidget()->rect().contains(at);
  // The drop is done with first: the program it came from is not kept waiting through the
  // boxes and the run that may follow.
  QTimer::singleShot(0, this, [this, names = std::move(names), at, inClient]() mutable {
    droppedFiles_ = std::move(names);
    if (OnDropFiles) OnDropFiles(at.x(), at.y(), inClient);
  });
}

void TDropForm::TakeDrop(std::vector<std::string> names) {
  droppedFiles_ = std::move(names);
  if (OnDropFiles) OnDropFiles(0, 0, false);
}

}  // namespace mxt::gui
