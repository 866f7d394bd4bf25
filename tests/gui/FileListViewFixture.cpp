#include "tests/gui/FileListViewFixture.h"

#include <QItemSelectionModel>
#include <QTest>

#include "fileconv/FileList.h"

namespace mxt::gui::testing {

void FileListViewFixture::SetUp() {
  window_ = std::make_unique<QWidget>();
  window_->resize(300, 400);
  list_ = new FileListView(QStringLiteral("ConvListBox"), window_.get());
  model_ = new FileListModel(files_, fileconv::ListId::Input, window_.get());
  list_->setModel(model_);
  QFont font = list_->font();
  font.setPixelSize(12);
  list_->setFont(font);
  auto note = [this](const char* what) {
    return [this, what](FileListView&) { log_.push_back(what); };
  };
  list_->OnHoldStarted = note("capture");
  list_->OnDragOut = note("drag");
  list_->OnHoldEnded = note("end");
  list_->OnFocusIn = note("enter");
  list_->OnFocusOut = note("exit");
  list_->OnMayDrag = [this](FileListView&, bool& allow) { allow = allowDragDrop_; };
  list_->OnCaretMoved = [this](FileListView&, int row) {
    log_.push_back("change " + std::to_string(row));
  };
  list_->OnOpen = [this](FileListView&, int row, bool conv) {
    log_.push_back("open " + std::to_string(row) + (conv ? " conv" : ""));
  };
}

void FileListViewFixture::TearDown() {
  window_.reset();
}

void FileListViewFixture::Add(std::initializer_list<const char*> names) {
  for (const char* name : names)
    ASSERT_TRUE(files_.Add(std::string("/texts/") + name, "", host_));
  model_->EntriesAdded();
}

void FileListViewFixture::Show(int rows) {
  ASSERT_EQ(list_->RowHeight(), 16);
  list_->setGeometry(4, 4, 200, rows * 16 + 2 * list_->frameWidth());
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  list_->setFocus();
  ASSERT_TRUE(list_->hasFocus());
  log_.clear();
}

std::string FileListViewFixture::Marks() const {
  std::string marks;
  for (int row = 0; row < model_->rowCount(); ++row) {
    const bool selected = list_->IsRowSelected(row);
    EXPECT_EQ(list_->selectionModel()->isRowSelected(row, QModelIndex()), selected) << row;
    marks += selected ? '*' : '.';
  }
  EXPECT_EQ(list_->currentIndex().row(), model_->rowCount() ? list_->Caret() : -1);
  return marks;
}

QPoint FileListViewFixture::RowPoint(int row, int dx, int dy) const {
  return list_->visualRect(model_->index(row)).topLeft() + QPoint(20 + dx, 8 + dy);
}

void FileListViewFixture::Press(int row, Qt::KeyboardModifiers keys) {
  QTest::mousePress(list_->viewport(), Qt::LeftButton, keys, RowPoint(row));
}

void FileListViewFixture::MoveBy(int row, int dx, int dy) {
  QTest::mouseMove(list_->viewport(), RowPoint(row, dx, dy));
}

void FileListViewFixture::Release(int row, int dx, int dy) {
  QTest::mouseRelease(list_->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(row, dx, dy));
}

void FileListViewFixture::Click(int row, Qt::KeyboardModifiers keys) {
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, keys, RowPoint(row));
}

void FileListViewFixture::Key(Qt::Key key, Qt::KeyboardModifiers keys) {
  QTest::keyClick(list_, key, keys);
}

std::vector<std::string> FileListViewFixture::TakeLog() {
  std::vector<std::string> log;
  log.swap(log_);
  return log;
}

}  // namespace mxt::gui::testing
