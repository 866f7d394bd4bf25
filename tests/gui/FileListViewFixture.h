#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "fileconv/FileList.h"
#include "gui/FileListModel.h"
#include "gui/FileListView.h"
#include "tests/support/RecordingHost.h"

namespace mxt::gui::testing {

// An input list of 16-pixel rows in an active window, its events written to a log.
class FileListViewFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Appends entries named so, in a folder of their own.
  void Add(std::initializer_list<const char*> names);
  // Shows the list `rows` rows high and gives it the focus.
  void Show(int rows);

  // The rows as '*' for selected and '.' for not; the QItemSelectionModel must agree.
  std::string Marks() const;
  QPoint RowPoint(int row, int dx = 0, int dy = 0) const;
  void Press(int row, Qt::KeyboardModifiers keys = Qt::NoModifier);
  void MoveBy(int row, int dx, int dy);
  void Release(int row, int dx = 0, int dy = 0);
  void Click(int row, Qt::KeyboardModifiers keys = Qt::NoModifier);
  void Key(Qt::Key key, Qt::KeyboardModifiers keys = Qt::NoModifier);
  // The log since the last call.
  std::vector<std::string> TakeLog();

  ::mxt::testing::RecordingHost host_;
  fileconv::FileList files_;
  std::unique_ptr<QWidget> window_;
  FileListView* list_ = nullptr;
  FileListModel* model_ = nullptr;
  std::vector<std::string> log_;
  bool allowDragDrop_ = true;
};

}  // namespace mxt::gui::testing
