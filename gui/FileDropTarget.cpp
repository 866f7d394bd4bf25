#include "gui/FileDropTarget.h"

#include <unistd.h>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <algorithm>

#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

constexpr char kOwnDragType[] = "application/x-mxt-drag-source";

QByteArray ThisProcess() {
  return QByteArray::number(static_cast<qint64>(::getpid()));
}

}  // namespace

FileDropTarget::FileDropTarget(QWidget& window, DropTaken taken)
    : QObject(&window), window_(window), taken_(std::move(taken)) {
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
}

void FileDropTarget::SetAccepting(bool accepting) {
  window_.setAcceptDrops(accepting);
}

void FileDropTarget::MarkOwnDrag(QMimeData& data) {
  data.setData(QString::fromLatin1(kOwnDragType), ThisProcess());
}

bool FileDropTarget::Accepts(const QMimeData& data) {
  if (data.data(QString::fromLatin1(kOwnDragType)) == ThisProcess()) return false;
  const QList<QUrl> urls = data.urls();
  return !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& url) {
    return LocalPathOf(url).has_value();
  });
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (Accepts(*drag->mimeData())) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!Accepts(*drop->mimeData())) {
        drop->ignore();
        return true;
      }
      std::vector<std::string> names;
      QApplication::setOverrideCursor(Qt::WaitCursor);
      for (const QUrl& url : drop->mimeData()->urls())
        names.push_back(*LocalPathOf(url));
      QApplication::restoreOverrideCursor();
      drop->acceptProposedAction();
      QTimer::singleShot(0, this,
                         [this, names = std::move(names)]() mutable { taken_(std::move(names)); });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace mxt::gui
