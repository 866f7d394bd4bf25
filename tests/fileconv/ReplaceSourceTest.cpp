// The converted text takes the place of the very file that was opened and checked, keeps
// what identified it, and leaves no temporary file behind when it cannot.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <set>
#include <string>

#include "fileconv/ConversionRun.h"
#include "fileconv/FileConversion.h"
#include "fileconv/UserError.h"
#include "tests/support/Bytes.h"
#include "tests/support/ConversionFixture.h"

namespace mxt::fileconv {
namespace {

using testing::Bytes;
using testing::Notation;
using testing::ReadFile;
using testing::WriteFile;

const std::string kShiftJIS = Bytes("'A' 88 9F 0A");
const std::string kEUC = Bytes("'A' B0 A1 0A");

class ReplaceSourceTest : public testing::ConversionFixture {
 protected:
  ReplaceSourceTest() { settings_.OutputKanjiCode = 1; }

  // An entry of its own, outside the list, for a conversion of its own.
  FileEntry& NewEntry(const std::string& path) {
    return entries_.emplace_back(FileEntry::InputEntry(path));
  }

  // Checks and opens the entry, lets `meanwhile` happen, then converts it. The error
  // raised, or nothing.
  std::string ConvertWith(FileEntry& entry, const std::function<void()>& meanwhile) {
    FileConversion conversion;
    conversion.Begin(entry, nullptr, settings_);
    conversion.CheckFile();
    meanwhile();
    std::string error;
    try {
      if (entry.State == RunResult::Ready) conversion.OpenInputFile();
      if (entry.State == RunResult::Ready) conversion.ConvertFile();
    } catch (const std::exception& raised) {
      error = raised.what();
    }
    conversion.CloseInputFile();
    return error;
  }

  void Retarget(const std::string& link, const std::string& target) {
    ASSERT_EQ(::unlink(Path(link).c_str()), 0);
    ASSERT_EQ(::symlink(Path(target).c_str(), Path(link).c_str()), 0);
  }

  std::deque<FileEntry> entries_;
};

TEST_F(ReplaceSourceTest, ALinkRetargetedAfterTheOpenNeverLeadsTheTextElsewhere) {
  for (const std::uint8_t way : {0, 1}) {
    WriteFile(Path("mine"), kShiftJIS);
    WriteFile(Path("victim"), kShiftJIS);
    ::unlink(Path("link").c_str());
    ASSERT_EQ(::symlink(Path("mine").c_str(), Path("link").c_str()), 0);
    settings_.WayToOverwrite = way;
    FileEntry& entry = NewEntry(Path("link"));
    std::string error;
    FileConversion conversion;
    conversion.Begin(entry, nullptr, settings_);
    conversion.CheckFile();
    conversion.OpenInputFile();
    Retarget("link", "victim");
    try {
      conversion.ConvertFile();
    } catch (const UserError& raised) {
      error = raised.what();
    }
    conversion.CloseInputFile();
    EXPECT_EQ(ReadFile(Path("victim")), kShiftJIS) << int(way) << ": written through the link";
    if (way == 0) {
      // Renamed beside the file that was opened, over it.
      EXPECT_EQ(error, "");
      EXPECT_EQ(Notation(ReadFile(Path("mine"))), Notation(kEUC));
    } else {
      // Copied back through the name, which now leads elsewhere: nothing is replaced.
      EXPECT_EQ(error, Path("link") +
                           " は、変換中に別のファイルと入れ替えられたため、置き換えませんでした");
      EXPECT_EQ(ReadFile(Path("mine")), kShiftJIS);
    }
    EXPECT_EQ(FolderContent(), (std::set<std::string>{"link", "mine", "victim"})) << int(way);
  }
}

TEST_F(ReplaceSourceTest, ANameSwappedForADeviceOrAFifoAfterItsCheckIsNotConverted) {
  const struct {
    const char* swap;
    const char* status;
  } cases[] = {
      {"/dev/zero", "Skipped:\tBecame a symbolic link after it was listed."},
      {"fifo", "Skipped:\tIs not a file."},
  };
  for (const auto& [swap, status] : cases) {
    WriteFile(Path("a.txt"), kShiftJIS);
    FileEntry& entry = NewEntry(Path("a.txt"));
    const std::string error = ConvertWith(entry, [&] {
      ::unlink(Path("a.txt").c_str());
      if (std::string(swap) == "fifo") {
        ASSERT_EQ(::mkfifo(Path("a.txt").c_str(), 0644), 0);
      } else {
        ASSERT_EQ(::symlink(swap, Path("a.txt").c_str()), 0);
      }
    });
    EXPECT_EQ(error, "") << swap;
    EXPECT_EQ(StatusColumns(entry, ListId::Input), status) << swap;
    ::unlink(Path("a.txt").c_str());
  }
}

// The classic attack on a folder others may write: a listed file replaced by a link to a
// file of the attacker's choosing before its turn comes.
TEST_F(ReplaceSourceTest, AFileSwappedForALinkAfterItWasListedIsNeverConvertedThroughIt) {
  for (const std::uint8_t way : {0, 1}) {
    for (const bool beforeItsCheck : {true, false}) {
      const std::string when = std::to_string(way) + (beforeItsCheck ? " before" : " after");
      WriteFile(Path("a.txt"), kShiftJIS);
      WriteFile(Path("victim"), kShiftJIS);
      settings_.WayToOverwrite = way;
      FileEntry& entry = NewEntry(Path("a.txt"));
      EXPECT_FALSE(entry.ListedAsLink);
      const auto swap = [&] { Retarget("a.txt", "victim"); };
      if (beforeItsCheck) swap();
      const std::string error =
          ConvertWith(entry, beforeItsCheck ? std::function<void()>([] {}) : swap);
      EXPECT_EQ(error, "") << when;
      EXPECT_EQ(StatusColumns(entry, ListId::Input),
                "Skipped:\tBecame a symbolic link after it was listed.")
          << when;
      EXPECT_EQ(ReadFile(Path("victim")), kShiftJIS) << when << ": written through the link";
      EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "victim"})) << when;
      ::unlink(Path("a.txt").c_str());
    }
  }
}

// The same attack one folder up: the file's folder swapped for a link to another folder
// that holds a file of the same name.
TEST_F(ReplaceSourceTest, AFolderSwappedForALinkAfterItWasListedNeverLeadsTheConversionElsewhere) {
  ASSERT_EQ(::mkdir(Path("docs").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(Path("victim").c_str(), 0755), 0);
  WriteFile(Path("docs/z.txt"), kShiftJIS);
  WriteFile(Path("victim/z.txt"), kShiftJIS);
  FileEntry& entry = NewEntry(Path("docs/z.txt"));
  const std::string error = ConvertWith(entry, [&] {
    ASSERT_EQ(::rename(Path("docs").c_str(), Path("old").c_str()), 0);
    ASSERT_EQ(::symlink(Path("victim").c_str(), Path("docs").c_str()), 0);
  });
  EXPECT_EQ(error, "");
  EXPECT_EQ(StatusColumns(entry, ListId::Input),
            "Skipped:\tBecame a symbolic link after it was listed.");
  EXPECT_EQ(ReadFile(Path("victim/z.txt")), kShiftJIS) << "written through the link";
  EXPECT_EQ(ReadFile(Path("old/z.txt")), kShiftJIS);
}

TEST_F(ReplaceSourceTest, AnEntryListedAsALinkIsFollowedAtItsTurnAndStaysALink) {
  WriteFile(Path("target.txt"), kShiftJIS);
  ASSERT_EQ(::symlink(Path("target.txt").c_str(), Path("link.txt").c_str()), 0);
  const FileEntry& entry = Convert(Path("link.txt"));
  EXPECT_TRUE(entry.ListedAsLink);
  EXPECT_EQ(entry.State, RunResult::Converted);
  EXPECT_TRUE(S_ISLNK(testing::LinkStatOf(Path("link.txt")).st_mode));
  EXPECT_EQ(Notation(ReadFile(Path("target.txt"))), Notation(kEUC));
}

// Root gives the file away first, so that the owner kept is not the one converting.
TEST_F(ReplaceSourceTest, TheRenameMethodKeepsOwnerModeAttributesAndAccessList) {
  WriteFile(Path("a.txt"), kShiftJIS);
  ASSERT_EQ(::chmod(Path("a.txt").c_str(), 0600), 0);
  const bool withAttribute = ::setxattr(Path("a.txt").c_str(), "user.origin", "mail", 4, 0) == 0;
  const bool withAcl =
      std::system(("setfacl -m u:nobody:r '" + Path("a.txt") + "' 2>/dev/null").c_str()) == 0;
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(Path("a.txt").c_str(), 65534, 65534), 0);
  }
  const struct stat before = testing::StatOf(Path("a.txt"));
  char acl[256] = {};
  const ssize_t aclSize = ::getxattr(Path("a.txt").c_str(), "system.posix_acl_access", acl, 256);

  const FileEntry& entry = Convert(Path("a.txt"));
  EXPECT_EQ(StatusColumns(entry, ListId::Input), "Converted:\tShift-JIS to EUC");
  EXPECT_EQ(entry.Code, 0x11);
  EXPECT_EQ(entry.Bitmap, FileImage::EUCFileImage);
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), Notation(kEUC));
  EXPECT_EQ(FolderContent(), std::set<std::string>{"a.txt"}) << "temporary file left";
  const struct stat after = testing::StatOf(Path("a.txt"));
  EXPECT_NE(after.st_ino, before.st_ino) << "renamed, not copied";
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(after.st_mode, before.st_mode);
  if (withAttribute) {
    char value[16] = {};
    EXPECT_EQ(::getxattr(Path("a.txt").c_str(), "user.origin", value, sizeof value), 4);
    EXPECT_STREQ(value, "mail");
  }
  if (withAcl) {
    char kept[256] = {};
    EXPECT_EQ(::getxattr(Path("a.txt").c_str(), "system.posix_acl_access", kept, 256), aclSize);
    EXPECT_EQ(std::string(kept, 256), std::string(acl, 256));
  }
}

// The temporary file is born with the access list the folder gives new files.
TEST_F(ReplaceSourceTest, TheFoldersAccessListForNewFilesDoesNotReachTheConvertedFile) {
  WriteFile(Path("a.txt"), kShiftJIS);
  ASSERT_EQ(::chmod(Path("a.txt").c_str(), 0660), 0);
  if (std::system(("setfacl -d -m u:nobody:rw '" + Path("") + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "no access lists here";
  const FileEntry& entry = Convert(Path("a.txt"));
  EXPECT_EQ(StatusColumns(entry, ListId::Input), "Converted:\tShift-JIS to EUC");
  EXPECT_EQ(::getxattr(Path("a.txt").c_str(), "system.posix_acl_access", nullptr, 0), -1);
  EXPECT_EQ(testing::StatOf(Path("a.txt")).st_mode & 07777, 0660u);
}

TEST_F(ReplaceSourceTest, AFileWithHardLinksIsCopiedBackSoEveryNameSeesTheText) {
  WriteFile(Path("a.txt"), kShiftJIS);
  ASSERT_EQ(::link(Path("a.txt").c_str(), Path("b.txt").c_str()), 0);
  const ino_t inode = testing::StatOf(Path("a.txt")).st_ino;
  EXPECT_EQ(StatusColumns(Convert(Path("a.txt")), ListId::Input), "Converted:\tShift-JIS to EUC");
  EXPECT_EQ(testing::StatOf(Path("a.txt")).st_ino, inode);
  EXPECT_EQ(Notation(ReadFile(Path("b.txt"))), Notation(kEUC));
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(ReplaceSourceTest, ARefusedRenameLeavesTheSourceAndNoTemporaryFile) {
  WriteFile(Path("a.txt"), kShiftJIS);
  WriteFile(Path("elsewhere"), kShiftJIS);
  // Mounted over the name: the file is there, but no rename may replace it.
  if (::mount(Path("elsewhere").c_str(), Path("a.txt").c_str(), nullptr, MS_BIND, nullptr) != 0)
    GTEST_SKIP() << "cannot mount here";
  FileEntry& entry = NewEntry(Path("a.txt"));
  const std::string error = ConvertWith(entry, [] {});
  ::umount(Path("a.txt").c_str());
  EXPECT_EQ(error, "I/O ｴﾗｰ (16) Device or resource busy: " + Path("a.txt"));
  EXPECT_EQ(ReadFile(Path("elsewhere")), kShiftJIS);
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "elsewhere"}));
}

// A small file system of its own, where the test may mount one.
class FullDiskTest : public ReplaceSourceTest {
 protected:
  void SetUp() override {
    ReplaceSourceTest::SetUp();
    ASSERT_EQ(::mkdir(Path("disk").c_str(), 0755), 0);
    if (::mount("tmpfs", Path("disk").c_str(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "cannot mount a file system here";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount(Path("disk").c_str());
    ReplaceSourceTest::TearDown();
  }

  // The source, and a filler that leaves less free space than its conversion needs.
  std::string FillWith(const std::string& source) {
    const std::string path = Path("disk/a.txt");
    WriteFile(path, source);
    std::string filler(64 * 1024, 'x');
    const int fd = ::open(Path("disk/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    while (::write(fd, filler.data(), 4096) == 4096) {
    }
    ::close(fd);
    return path;
  }

  bool mounted_ = false;
};

TEST_F(FullDiskTest, NeitherMethodLeavesHalfATextOrATemporaryFile) {
  // JIS is longer than Shift-JIS: the converted text does not fit where the source did.
  std::string source;
  while (source.size() < 8 * 1024)
    source += kShiftJIS;
  settings_.OutputKanjiCode = 2;
  for (const std::uint8_t way : {0, 1}) {
    ::unlink(Path("disk/filler").c_str());
    const std::string path = FillWith(source);
    settings_.WayToOverwrite = way;
    const std::string error = ConvertWith(NewEntry(path), [] {});
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << int(way) << error;
    EXPECT_TRUE(ReadFile(path) == source) << int(way) << ": the source changed";
    EXPECT_EQ(FolderContent(Path("disk")), (std::set<std::string>{"a.txt", "filler"})) << int(way);
    EXPECT_EQ(testing::StatOf(Path("disk")).st_nlink, 2u);
    const struct stat disk = testing::StatOf(path);
    EXPECT_EQ(disk.st_size, static_cast<off_t>(source.size()));
  }
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"disk"})) << "a temporary file was left";
}

}  // namespace
}  // namespace mxt::fileconv
