#include "app/IniStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileconv/PathText.h"
#include "fileconv/UserError.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using fileconv::UserError;
using mxt::testing::ReadFile;
using mxt::testing::ScopedEnv;
using mxt::testing::TempDir;
using mxt::testing::WriteFile;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const UserError& error) {
    return error.what();
  }
  return "";
}

bool Exists(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0;
}

TEST(IniStoreTest, TheFileBesideTheProgramTakesItsNameWithIni) {
  const auto& sjis = fileconv::kShiftJisFileNames;
  const struct {
    std::string program, ini;
  } cases[] = {
      {"C:\\MXT\\MXT.EXE", "C:\\MXT\\MXT.INI"}, {"C:\\MXT.D\\MXT", "C:\\MXT.D\\MXT.INI"},
      {"C:\\a.b.exe", "C:\\a.b.INI"},           {"D:MXT.EXE", "D:MXT.INI"},
      {"C:\\\x95\x5C.EXE", "C:\\\x95\x5C.INI"}, {"C:\\\x95\x5C", "C:\\\x95\x5C.INI"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IniPathBesideProgram(c.program, sjis), c.ini) << c.program;
  EXPECT_EQ(IniPathBesideProgram("/usr/bin/mxt"), "/usr/bin/mxt.INI");
  EXPECT_EQ(IniPathBesideProgram("/opt/mxt.d/mxt"), "/opt/mxt.d/mxt.INI");
}

TEST(IniStoreTest, ThePerUserStoreMakesItsFolderOnOpenAndItsFileOnWrite) {
  TempDir home;
  ScopedEnv config("XDG_CONFIG_HOME", (home / "config").c_str());
  const auto store = OpenSettingsStore(false);
  EXPECT_TRUE(Exists(home / "config/MXT"));
  EXPECT_FALSE(Exists(home / "config/MXT/MXT.ini"));
  EXPECT_EQ(store->ReadString("Options", "TempDir"), std::nullopt);
  store->WriteString("Options", "TempDir", "/x/");
  EXPECT_EQ(ReadFile(home / "config/MXT/MXT.ini"), "[Options]\nTempDir=/x/\n");
  EXPECT_EQ(OpenSettingsStore(false)->ReadString("options", "tempdir"), "/x/");
}

TEST(IniStoreTest, PerUserFailuresNameTheValue) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "MXT.ini").c_str(), 0755), 0);  // cannot be read as a file
  IniStore unreadable(dir / "MXT.ini", IniStore::Form::PerUser);
  EXPECT_EQ(ErrorOf([&] { unreadable.ReadString("Options", "ViewerPath"); }),
            "'ViewerPath' の取得に失敗しました");
  WriteFile(dir / "plain", "");
  IniStore unwritable(dir / "plain/MXT.ini", IniStore::Form::PerUser);
  EXPECT_EQ(ErrorOf([&] { unwritable.WriteString("Options", "PosX", "1"); }),
            "'PosX' の設定に失敗しました");
}

TEST(IniStoreTest, TheFileBesideTheProgramNamesItselfWhenItCannotBeWritten) {
  TempDir dir;
  WriteFile(dir / "plain", "");
  const std::string path = dir / "plain/MXT.INI";
  IniStore store(path, IniStore::Form::BesideProgram);
  EXPECT_EQ(store.ReadString("Options", "PosX"), std::nullopt);
  EXPECT_EQ(ErrorOf([&] { store.WriteString("Options", "PosX", "1"); }),
            path + " に書き込めません");
  // It never makes a folder of its own.
  IniStore elsewhere(dir / "sub/MXT.INI", IniStore::Form::BesideProgram);
  EXPECT_FALSE(Exists(dir / "sub"));
}

TEST(IniStoreTest, WritingKeepsTheLinesOfAHandEditedFile) {
  TempDir dir;
  const std::string path = dir / "MXT.INI";
  WriteFile(path, "; mine\n[Options]\nViewerPath=vi\nExtra=keep\n");
  IniStore store(path, IniStore::Form::BesideProgram);
  store.WriteString("Options", "ViewerPath", "less");
  store.WriteString("MainWindow", "PosX", "5");
  EXPECT_EQ(ReadFile(path),
            "; mine\n[Options]\nViewerPath=less\nExtra=keep\n[MainWindow]\nPosX=5\n");
  EXPECT_FALSE(Exists(path + ".new"));
}

TEST(IniStoreTest, AStoreThatIsALinkStaysALink) {
  TempDir dir;
  WriteFile(dir / "shared.ini", "[Options]\nA=1\n");
  ASSERT_EQ(::symlink("shared.ini", (dir / "MXT.ini").c_str()), 0);
  IniStore store(dir / "MXT.ini", IniStore::Form::PerUser);
  store.WriteString("Options", "A", "2");
  struct stat info;
  ASSERT_EQ(::lstat((dir / "MXT.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadFile(dir / "shared.ini"), "[Options]\nA=2\n");
}

}  // namespace
}  // namespace mxt::app
