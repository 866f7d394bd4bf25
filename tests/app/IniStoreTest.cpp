#include "app/IniStore.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <vector>

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

// Runs `body` in a child process, as `user` when one is given; the child's exit code, or
// -1 when it did not end normally.
int InChild(const std::function<int()>& body, std::optional<uid_t> user = std::nullopt) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (user && (::setgroups(0, nullptr) != 0 || ::setgid(*user) != 0 || ::setuid(*user) != 0))
      ::_exit(98);
    int code = 97;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 0 when saving a value fails with a message, 1 when it is saved.
int SaveRefused(const std::string& path) {
  IniStore store(path, IniStore::Form::PerUser);
  store.WriteString("MainWindow", "PosX", "1");
  return ErrorOf([&] { store.Commit(); }).empty() ? 1 : 0;
}

const std::string kMine = "[Options]\nViewerPath=mine\n";

// ASCII text as an editor saves it in UTF-16, little-endian with its byte-order mark.
std::string Utf16(const std::string& ascii) {
  std::string text = "\xFF\xFE";
  for (const char c : ascii)
    text += {c, '\0'};
  return text;
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
  EXPECT_FALSE(Exists(home / "config/MXT/MXT.ini"));
  store->Commit();
  EXPECT_EQ(ReadFile(home / "config/MXT/MXT.ini"), "[Options]\nTempDir=/x/\n");
  EXPECT_EQ(OpenSettingsStore(false)->ReadString("options", "tempdir"), "/x/");
}

// The per-user store names the value, the file beside the program names itself.
TEST(IniStoreTest, AStoreThatCannotBeWrittenSaysSoByItsForm) {
  TempDir dir;
  WriteFile(dir / "plain", "");
  const std::string path = dir / "plain/MXT.INI";
  IniStore perUser(path, IniStore::Form::PerUser);
  perUser.WriteString("Options", "PosX", "1");
  EXPECT_EQ(ErrorOf([&] { perUser.Commit(); }), "'PosX' の設定に失敗しました");
  IniStore store(path, IniStore::Form::BesideProgram);
  EXPECT_EQ(store.ReadString("Options", "PosX"), std::nullopt);
  store.WriteString("Options", "PosX", "1");
  EXPECT_EQ(ErrorOf([&] { store.Commit(); }), path + " に書き込めません");
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
  store.Commit();
  EXPECT_EQ(ReadFile(path),
            "; mine\n[Options]\nViewerPath=less\nExtra=keep\n[MainWindow]\nPosX=5\n");
  EXPECT_EQ(testing::FolderContent(dir.Path()), std::set<std::string>{"MXT.INI"});
}

TEST(IniStoreTest, AStoreThatIsALinkStaysALink) {
  TempDir dir;
  WriteFile(dir / "shared.ini", "[Options]\nA=1\n");
  ASSERT_EQ(::symlink("shared.ini", (dir / "MXT.ini").c_str()), 0);
  IniStore store(dir / "MXT.ini", IniStore::Form::PerUser);
  store.WriteString("Options", "A", "2");
  store.Commit();
  struct stat info;
  ASSERT_EQ(::lstat((dir / "MXT.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadFile(dir / "shared.ini"), "[Options]\nA=2\n");
}

// Whatever could not be read as a settings file stays as it was, and what a link leads to
// is never replaced by anything but a regular file.
TEST(IniStoreTest, AFileThatCouldNotBeReadIsNeverWrittenOver) {
  TempDir dir;
  const std::string path = dir / "MXT.ini";
  const struct {
    const char* what;
    std::function<void()> make;
    std::function<bool()> unchanged;
    std::function<void()> beforeSave = [] {};
  } cases[] = {
      {"a folder", [&] { ASSERT_EQ(::mkdir(path.c_str(), 0755), 0); },
       [&] { return S_ISDIR(testing::LinkStatOf(path).st_mode); }},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
       [&] { return S_ISFIFO(testing::LinkStatOf(path).st_mode); }},
      {"a link to a FIFO",
       [&] {
         ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
         ASSERT_EQ(::symlink("fifo", path.c_str()), 0);
       },
       [&] { return S_ISFIFO(testing::LinkStatOf(dir / "fifo").st_mode); }},
      {"a link to /dev/null", [&] { ASSERT_EQ(::symlink("/dev/null", path.c_str()), 0); },
       [&] { return S_ISCHR(testing::StatOf(path).st_mode); }},
      {"UTF-16 text", [&] { WriteFile(path, Utf16(kMine)); },
       [&] { return ReadFile(path) == Utf16(kMine); }},
      {"a file over 1 MiB", [&] { WriteFile(path, kMine + std::string(kMostStoreBytes, ';')); },
       [&] { return ReadFile(path) == kMine + std::string(kMostStoreBytes, ';'); }},
      {"a FIFO made a file before the save", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
       [&] { return ReadFile(path) == kMine; },
       [&] {
         std::filesystem::remove(path);
         WriteFile(path, kMine);
       }},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(dir / "fifo");
    std::filesystem::remove_all(path);
    c.make();
    IniStore store(path, IniStore::Form::PerUser);
    EXPECT_EQ(ErrorOf([&] { store.ReadString("Options", "ViewerPath"); }),
              "'ViewerPath' の取得に失敗しました")
        << c.what;
    store.WriteString("MainWindow", "PosX", "1");
    c.beforeSave();
    EXPECT_EQ(ErrorOf([&] { store.Commit(); }), "'PosX' の設定に失敗しました") << c.what;
    EXPECT_TRUE(c.unchanged()) << c.what;
    for (const std::string& name : testing::FolderContent(dir.Path()))
      EXPECT_FALSE(name.starts_with("MXT.ini.")) << c.what << ": " << name << " left";
  }
}

TEST(IniStoreTest, AnotherUsersFileItCannotOpenIsNeitherReadAsEmptyNorWrittenOver) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
  const std::string path = dir / "MXT.ini";
  WriteFile(path, kMine);
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  const int refused = InChild(
      [&] {
        IniStore store(path, IniStore::Form::PerUser);
        const std::string read = ErrorOf([&] { store.ReadString("Options", "ViewerPath"); });
        return read == "'ViewerPath' の取得に失敗しました" ? SaveRefused(path) : 2;
      },
      65534);
  EXPECT_EQ(refused, 0) << "2: read as empty, 1: saved over";
  EXPECT_EQ(ReadFile(path), kMine);
  EXPECT_EQ(testing::StatOf(path).st_uid, 0u);
}

// A file its owner made read-only keeps its content. One in a folder this user may not add
// to is written where it is.
TEST(IniStoreTest, AReadOnlyFileStaysAndOneInAClosedFolderIsWrittenWhereItIs) {
  TempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
  const bool root = ::geteuid() == 0;
  const std::optional<uid_t> user = root ? std::optional<uid_t>(65534) : std::nullopt;
  const auto make = [&](const std::string& path, mode_t mode) {
    WriteFile(path, kMine);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    if (root) {
      ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
  };

  const std::string readOnly = dir / "MXT.ini";
  make(readOnly, 0444);
  EXPECT_EQ(SaveRefused(readOnly), 0);
  EXPECT_EQ(InChild([&] { return SaveRefused(readOnly); }, user), 0);
  EXPECT_EQ(ReadFile(readOnly), kMine);

  ASSERT_EQ(::mkdir((dir / "closed").c_str(), 0755), 0);
  const std::string closedIn = dir / "closed/MXT.ini";
  make(closedIn, 0644);
  ASSERT_EQ(::chmod((dir / "closed").c_str(), 0555), 0);
  EXPECT_EQ(InChild([&] { return SaveRefused(closedIn); }, user), 1);
  ASSERT_EQ(::chmod((dir / "closed").c_str(), 0755), 0);
  EXPECT_EQ(ReadFile(closedIn), kMine + "[MainWindow]\nPosX=1\n");
  EXPECT_EQ(testing::FolderContent(dir / "closed"), std::set<std::string>{"MXT.ini"});
}

TEST(IniStoreTest, ARewriteKeepsModeAndOwnerAndANewFileIsThisUsersAlone) {
  TempDir dir;
  const std::string path = dir / "MXT.ini";
  const mode_t umask = ::umask(0);
  IniStore made(path, IniStore::Form::PerUser);
  made.WriteString("Options", "A", "1");
  made.Commit();
  ::umask(umask);
  EXPECT_EQ(testing::StatOf(path).st_mode & 07777, 0600u);

  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  IniStore store(path, IniStore::Form::PerUser);
  store.WriteString("Options", "A", "2");
  store.Commit();
  const struct stat after = testing::StatOf(path);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(after.st_uid, 65534u);
  }
  EXPECT_EQ(ReadFile(path), "[Options]\nA=2\n");
}

// A value longer than a read sees, and a file at the limit, survive a save that changes
// nothing; a save that would pass the limit leaves the file as it was.
TEST(IniStoreTest, WhatWasReadIsWrittenBackWholeAndTheLimitHolds) {
  TempDir dir;
  const std::string path = dir / "MXT.ini";
  const std::string head = "[Options]\nViewerPath=" + std::string(2000, 'v') + "\n";
  const std::string atLimit = head + std::string(kMostStoreBytes - head.size() - 1, ';') + "\n";
  WriteFile(path, atLimit);
  IniStore store(path, IniStore::Form::PerUser);
  const std::optional<std::string> seen = store.ReadString("Options", "ViewerPath");
  ASSERT_TRUE(seen);
  store.WriteString("Options", "ViewerPath", *seen);
  store.Commit();
  EXPECT_EQ(ReadFile(path), atLimit);

  store.WriteString("Options", "Other", "1");
  EXPECT_EQ(ErrorOf([&] { store.Commit(); }),
            path + " は 1 MiB を超えてしまうため、設定を保存しませんでした");
  EXPECT_EQ(ReadFile(path), atLimit);
}

// Each writer's values arrive, none lost to another's save in between, and every file a
// reader meets is complete.
TEST(IniStoreTest, ProcessesSavingAtOnceLoseNothing) {
  TempDir dir;
  const std::string path = dir / "MXT.ini";
  constexpr int kWriters = 4;
  constexpr int kRounds = 25;
  std::vector<pid_t> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int round = 0; round < kRounds; ++round) {
        IniStore store(path, IniStore::Form::PerUser);
        store.WriteString("Writer" + std::to_string(writer), "Round", std::to_string(round));
        store.WriteString("Shared", "Last", std::to_string(writer));
        try {
          store.Commit();
        } catch (...) {
          ::_exit(1);
        }
      }
      ::_exit(0);
    }
    writers.push_back(child);
  }
  for (int look = 0; look < 200; ++look) {
    if (!Exists(path)) continue;
    const std::string text = ReadFile(path);
    EXPECT_TRUE(text.starts_with("[") && text.ends_with("\n")) << text;
  }
  for (const pid_t child : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  IniStore result(path, IniStore::Form::PerUser);
  for (int writer = 0; writer < kWriters; ++writer)
    EXPECT_EQ(result.ReadString("Writer" + std::to_string(writer), "Round"),
              std::to_string(kRounds - 1));
  EXPECT_EQ(testing::FolderContent(dir.Path()), std::set<std::string>{"MXT.ini"});
}

}  // namespace
}  // namespace mxt::app
