#include "gui/FileListModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "fileconv/FileList.h"
#include "gui/Pictures.h"
#include "tests/support/RecordingHost.h"

namespace mxt::gui {
namespace {

using fileconv::FileEntry;
using fileconv::FileImage;
using fileconv::ListId;
using fileconv::RunResult;

class FileListModelTest : public ::testing::Test {
 protected:
  void AddInput(const std::string& path) { ASSERT_TRUE(files_.Add(path, "", host_)); }
  static QString Text(const FileListModel& model, int row, int role) {
    return model.data(model.index(row), role).toString();
  }

  mxt::testing::RecordingHost host_;
  fileconv::FileList files_;
};

TEST_F(FileListModelTest, RowsShowTheNameTheStatusAndThePicture) {
  AddInput("/texts/a.txt");
  AddInput("/texts/b.txt");
  files_.Input(1).State = RunResult::Converted;
  files_.Input(1).Code = 0x13;
  files_.Input(1).Bitmap = FileImage::EUCFileImage;
  FileListModel model(files_, ListId::Input);
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(Text(model, 0, Qt::DisplayRole), QStringLiteral("a.txt"));
  EXPECT_EQ(Text(model, 0, Qt::AccessibleDescriptionRole), QString());
  EXPECT_EQ(Text(model, 1, Qt::AccessibleDescriptionRole),
            QStringLiteral("Converted:\tJIS to EUC"));
  EXPECT_EQ(model.data(model.index(1), FileListModel::StateRole).toInt(),
            int(RunResult::Converted));
  const QIcon icon = model.data(model.index(1), Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(icon.pixmap(16, 16).toImage(), FileImagePixmap(FileImage::EUCFileImage).toImage());
  EXPECT_EQ(model.Entry(1), &files_.Input(1));
  EXPECT_EQ(model.Entry(2), nullptr);
}

TEST_F(FileListModelTest, TheOutputListHasItsOneEntry) {
  FileListModel model(files_, ListId::Output);
  EXPECT_EQ(model.rowCount(), 0);
  FileEntry& output = files_.SetOutput("/out/all.txt", host_);
  output.State = RunResult::Converted;
  output.Code = 1;
  model.EntriesReset();
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(Text(model, 0, Qt::DisplayRole), QStringLiteral("all.txt"));
  EXPECT_EQ(Text(model, 0, Qt::AccessibleDescriptionRole), QStringLiteral("Output:\tEUC"));
}

TEST_F(FileListModelTest, ChangesAreToldRowByRow) {
  FileListModel model(files_, ListId::Input);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  AddInput("/a");
  EXPECT_EQ(model.rowCount(), 0);
  AddInput("/b");
  model.EntriesAdded();
  model.EntriesAdded();
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 0);
  EXPECT_EQ(inserted[0][2].toInt(), 1);

  model.EntryChanged(1);
  model.EntryChanged(2);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
  EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);

  files_.Clear();
  // Until it is told, the model keeps its rows but has nothing to show in them.
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_FALSE(model.data(model.index(0), Qt::DisplayRole).isValid());
  model.EntriesReset();
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace mxt::gui
