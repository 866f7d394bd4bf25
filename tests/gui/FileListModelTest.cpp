#include "gui/FileListModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "fileconv/FileList.h"
#include "gui/Pictures.h"

namespace mxt::gui {
namespace {

using fileconv::FileEntry;
using fileconv::FileImage;
using fileconv::ListId;
using fileconv::RunResult;

class FileListModelTest : public ::testing::Test {
 protected:
  void SetUp() override { fileconv::ResetFileLists(); }
  void TearDown() override { fileconv::ResetFileLists(); }

  static void AddInput(const std::string& path) {
    fileconv::Files.Inputs.push_back(std::make_unique<FileEntry>(FileEntry::InputEntry(path)));
  }
  static QString Text(const FileListModel& model, int row, int role) {
    return model.data(model.index(row), role).toString();
  }
};

TEST_F(FileListModelTest, RowsShowTheNameTheStatusAndThePicture) {
  AddInput("/texts/a.txt");
  AddInput("/texts/b.txt");
  fileconv::Files.Inputs[1]->State = RunResult::Converted;
  fileconv::Files.Inputs[1]->Code = 0x13;
  fileconv::Files.Inputs[1]->Bitmap = FileImage::EUCFileImage;
  FileListModel model(ListId::Input);
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(Text(model, 0, Qt::DisplayRole), QStringLiteral("a.txt"));
  EXPECT_EQ(Text(model, 0, Qt::AccessibleDescriptionRole), QString());
  EXPECT_EQ(Text(model, 1, Qt::AccessibleDescriptionRole),
            QStringLiteral("Converted:\tJIS to EUC"));
  EXPECT_EQ(model.data(model.index(1), FileListModel::StateRole).toInt(),
            int(RunResult::Converted));
  const QIcon icon = model.data(model.index(1), Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(icon.pixmap(16, 16).toImage(), FileImagePixmap(FileImage::EUCFileImage).toImage());
  EXPECT_EQ(model.Entry(1), fileconv::Files.Inputs[1].get());
  EXPECT_EQ(model.Entry(2), nullptr);
}

TEST_F(FileListModelTest, TheOutputListHasItsOneEntry) {
  FileListModel model(ListId::Output);
  EXPECT_EQ(model.rowCount(), 0);
  fileconv::Files.Output = std::make_unique<FileEntry>(FileEntry::OutputEntry("/out/all.txt"));
  fileconv::Files.Output->State = RunResult::Converted;
  fileconv::Files.Output->Code = 1;
  model.EntriesReset();
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(Text(model, 0, Qt::DisplayRole), QStringLiteral("all.txt"));
  EXPECT_EQ(Text(model, 0, Qt::AccessibleDescriptionRole), QStringLiteral("Output:\tEUC"));
}

TEST_F(FileListModelTest, ChangesAreToldRowByRow) {
  FileListModel model(ListId::Input);
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

  fileconv::ClearFileList();
  // Until it is told, the model keeps its rows but has nothing to show in them.
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_FALSE(model.data(model.index(0), Qt::DisplayRole).isValid());
  model.EntriesReset();
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace mxt::gui
