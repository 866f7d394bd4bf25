// Whole folder trees (/R), run as a user would: the order, what is left out, what cannot be
// read. A dry run lists the files without touching them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/app/ProgramTest.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using testing::Outcome;
using testing::WriteFile;

const std::string kShiftJIS = testing::Bytes("'A' 88 9F 0A");
const std::string kToEUC = "Converted:\tShift-JIS to EUC";

class FolderSearchTest : public ProgramTest {
 protected:
  void SetUp() override {
    // Open to anyone, as a real run (as nobody, below) must make its files there.
    for (const char* folder : {"tree", "tree/sub", "tree/sub/deeper", "tree/.hidden-folder",
                               "tree/locked", "tree/empty"}) {
      ::mkdir((dir_ / folder).c_str(), 0777);
      ::chmod((dir_ / folder).c_str(), 0777);
    }
    for (const char* file :
         {"tree/b.txt", "tree/a.txt", "tree/.hidden.txt", "tree/sub/c.txt", "tree/sub/notes.md",
          "tree/sub/deeper/d.txt", "tree/.hidden-folder/x.txt", "tree/locked/f.txt"}) {
      WriteFile(dir_ / file, kShiftJIS);
      ::chmod((dir_ / file).c_str(), 0666);
    }
    ::symlink("sub", (dir_ / "tree/link-to-folder").c_str());
    ::symlink(".", (dir_ / "tree/sub/loop").c_str());
    ::symlink("sub/c.txt", (dir_ / "tree/link-to-file.txt").c_str());
    ::chmod((dir_ / "tree/locked").c_str(), 0);
    ::chmod(dir_.Path().c_str(), 0755);
  }
  void TearDown() override { ::chmod((dir_ / "tree/locked").c_str(), 0755); }

  // As a user the locked folder keeps out: root reads every folder, so root runs as nobody.
  Outcome RunDrySearch(const std::string& arguments) {
    const std::string user =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    return Run(user + "\"$MXT\" /B /E /D /R " + arguments);
  }
  std::string Converted(std::initializer_list<const char*> names) const {
    std::string lines;
    for (const char* name : names)
      lines += Line(name, kToEUC);
    return lines;
  }
};

TEST_F(FolderSearchTest, APatternIsSearchedFolderByFolderInNameOrderPassingLinksAndHiddenNames) {
  const Outcome outcome = RunDrySearch("'tree/*.txt'");
  EXPECT_EQ(outcome.out, Converted({"tree/a.txt", "tree/b.txt", "tree/link-to-file.txt",
                                    "tree/sub/c.txt", "tree/sub/deeper/d.txt"}) +
                             Line("tree/locked/", "Skipped:\tFolder cannot be read."));
  EXPECT_EQ(outcome.exitCode, 1) << "a folder could not be read";
  EXPECT_NE(outcome.err.find("tree/locked/"), std::string::npos) << outcome.err;
}

TEST_F(FolderSearchTest, ANamedFolderGivesEveryFileBelowItAndAFileStaysItself) {
  Outcome outcome = RunDrySearch("tree/sub tree/.hidden-folder tree/b.txt");
  EXPECT_EQ(outcome.out, Converted({"tree/sub/c.txt", "tree/sub/notes.md", "tree/sub/deeper/d.txt",
                                    "tree/.hidden-folder/x.txt", "tree/b.txt"}));
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  outcome = RunDrySearch("tree/empty 'tree/*.none'");
  EXPECT_EQ(outcome.out, "tree/empty\tSkipped:\tFile not found.\n" +
                             Line("tree/locked/", "Skipped:\tFolder cannot be read.") +
                             "tree/*.none\tSkipped:\tFile not found.\n");
}

// A folder that can be listed but not entered is one that cannot be read, named or found
// below; a pattern naming hidden files finds them, but no hidden folder is searched.
TEST_F(FolderSearchTest, AFolderListedButNotEnteredIsUnreadableAndHiddenNamesAreFoundWhenNamed) {
  ::mkdir((dir_ / "tree/listed").c_str(), 0755);
  WriteFile(dir_ / "tree/listed/g.txt", kShiftJIS);
  ::chmod((dir_ / "tree/listed").c_str(), 0644);
  const std::string unreadable = "Skipped:\tFolder cannot be read.";
  Outcome outcome = RunDrySearch("tree/listed");
  EXPECT_EQ(outcome.out, Line("tree/listed/", unreadable));
  EXPECT_EQ(outcome.exitCode, 1);
  outcome = RunDrySearch("'tree/.h*'");
  EXPECT_EQ(outcome.out, Converted({"tree/.hidden.txt"}) + Line("tree/listed/", unreadable) +
                             Line("tree/locked/", unreadable));
  ::chmod((dir_ / "tree/listed").c_str(), 0755);
}

// Below a linked folder the files are named by the folder the link leads to, as any file
// is by its folders: named again there, a file is not listed twice.
TEST_F(FolderSearchTest, ALinkedFolderListsItsFilesOnceByTheirOwnFolder) {
  const Outcome outcome = RunDrySearch("tree/link-to-folder tree/sub/c.txt");
  EXPECT_EQ(outcome.out,
            Converted({"tree/sub/c.txt", "tree/sub/notes.md", "tree/sub/deeper/d.txt"}));
}

// An empty name (a script's unset variable) names no folder, not the current one.
TEST_F(FolderSearchTest, WithoutTheSwitchAFolderIsNoFileAndAnEmptyNameNeverIs) {
  Outcome outcome = Run("mxt /B /E /D tree");
  EXPECT_EQ(outcome.out, "tree\tSkipped:\tIs not a file.\n");
  outcome = Run("cd tree && \"$MXT\" /B /E /D /R ''");
  EXPECT_EQ(outcome.out, "\tSkipped:\tIs not a file.\n");
  EXPECT_EQ(outcome.exitCode, 1);
}

}  // namespace
}  // namespace mxt::app
