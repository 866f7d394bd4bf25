// Files dropped on the main window or handed over by another start, and rows dragged out
// of its lists to other programs.
#include <QApplication>
#include <QDrag>
#include <QUrl>

#include "app/DragDropError.h"
#include "app/FolderFiles.h"
#include "app/Startup.h"
#include "gui/FileDropTarget.h"
#include "gui/InstanceServer.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"
#include "gui/SystemText.h"

namespace mxt::gui {

void MainWindow::OpenChannel() {
  channel_ = new InstanceServer(
      {[this] { return InstanceStateNow(); },
       [this](app::HandOverMessage message) { ShowAsAsked(message); },
       [this](const std::vector<std::string>& names) {
         RunCommand([&] { AddDroppedFiles(names, true); });
       },
       [this](const std::string& reason) { app::TellNoHandOver(session_, reason); }},
      this);
  channel_->Open();
}

app::InstanceState MainWindow::InstanceStateNow() const {
  return {!session_.run.Busy(), QApplication::activeModalWidget() == nullptr, isMinimized(),
          isMaximized()};
}

void MainWindow::ShowAsAsked(app::HandOverMessage message) {
  switch (message) {
    case app::HandOverMessage::Minimize:
      showMinimized();
      break;
    case app::HandOverMessage::Restore:
      showNormal();
      break;
    case app::HandOverMessage::Maximize:
      showMaximized();
      break;
    default: {
      // The open dialog comes forward rather than the window it blocks.
      QWidget* front = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
      front->raise();
      front->activateWindow();
    }
  }
}

// Back as it was before it was minimized: maximized again when it was.
void MainWindow::Unminimize() {
  if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
}

void MainWindow::AddDroppedFiles(const std::vector<std::string>& names, bool handedOver) {
  if (QWidget* dialog = QApplication::activeModalWidget()) {
    activateWindow();
    ShowMessage(fileconv::MessageKind::Warning,
                tr("MXT にはまだアクティブなダイアログボックスがあります。Drag && Drop "
                   "などは無視されます。")
                    .toStdString(),
                fileconv::MessageButtons::Ok);
    dialog->raise();
    dialog->activateWindow();
    return;
  }
  if (names.empty()) return;
  if (session_.run.Busy()) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    Unminimize();
    raise();
    activateWindow();
    ShowMessage(fileconv::MessageKind::Warning,
                tr("MXT は変換中です。Drag && Drop などは無視されます。").toStdString(),
                fileconv::MessageButtons::Ok);
    QApplication::restoreOverrideCursor();
    return;
  }
  const std::vector<std::string> files =
      session_.settings.AddFolderFiles ? app::WithFolderFiles(names) : names;
  const std::size_t added = session_.files.AddBatch(files, *this);
  if (added > 0) Unminimize();
  raise();
  activateWindow();
  fileconv::ReportNotAdded(files.size(), added, *this);
  if (session_.settings.ConvWhenDropped && items_.at("ConvMItem")->isEnabled() && !handedOver)
    ConvertNow();
}

QMimeData* MainWindow::DraggedFiles(const FileListView& list) const {
  const FileListModel& model =
      ModelOf(&list == convListBox_ ? fileconv::ListId::Input : fileconv::ListId::Output);
  QList<QUrl> urls;
  QByteArray copied = "copy";
  for (int row = 0; row < model.rowCount(); ++row) {
    if (!list.IsRowSelected(row)) continue;
    const std::string& path = model.Entry(row)->Path;
    if (!path.starts_with('/')) throw app::DragDropError();
    const QUrl url = UrlOfPath(path);
    urls.push_back(url);
    copied += "\n" + url.toEncoded();
  }
  if (urls.isEmpty()) throw app::DragDropError();
  auto* data = new QMimeData;
  data->setUrls(urls);
  // File managers of the GNOME family take a drop in their own form too.
  data->setData(QStringLiteral("x-special/gnome-copied-files"), copied);
  FileDropTarget::MarkOwnDrag(*data);
  return data;
}

void MainWindow::DragFilesOut(FileListView& list) {
  QMimeData* data = DraggedFiles(list);
  auto* drag = new QDrag(&list);
  drag->setMimeData(data);
  const DragCursorSlot files =
      list.SeveralSelected() ? DragCursorSlot::MultiFileDrag : DragCursorSlot::FileDrag;
  drag->setDragCursor(DragCursor(files).pixmap(), Qt::CopyAction);
  drag->setDragCursor(DragCursor(DragCursorSlot::CantDrop).pixmap(), Qt::IgnoreAction);
  drag->exec(Qt::CopyAction);
}

}  // namespace mxt::gui
