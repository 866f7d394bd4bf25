#include "app/EntryViewer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/Bytes.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using fileconv::ListId;
using fileconv::MessageKind;
using testing::Bytes;
using testing::ReadFile;
using testing::WriteFile;
using Words = std::vector<std::string>;

TEST(ViewerArgumentsTest, OptionsAreSplitAsTheShellSplitsThemWithoutExpanding) {
  const struct {
    const char* options;
    Words words;
  } cases[] = {
      {"", {}},
      {" \t\n ", {}},
      {"  -a\t\t-b \n-c  ", {"-a", "-b", "-c"}},
      {"--title 'a  b' \"c\td\"", {"--title", "a  b", "c\td"}},
      {"pre'mid'\"post\"", {"premidpost"}},
      {"'' \"\"", {"", ""}},
      {R"('a\b' 'x"y')", {R"(a\b)", R"(x"y)"}},
      {R"("a \"b\" \$c \`d\` \\e \x")", {R"(a "b" $c `d` \e \x)"}},
      {R"(a\ b c\\d \'e \"f)", {"a b", R"(c\d)", "'e", "\"f"}},
      {"a\\\nb \"c\\\nd\"", {"ab", "cd"}},
      {"a\\", {"a\\"}},
      {"$HOME ~ *.txt `id` a;b", {"$HOME", "~", "*.txt", "`id`", "a;b"}},
      // An open quote makes the options one word.
      {"-n 'open", {"-n 'open"}},
      {" \"abc ", {" \"abc "}},
      {R"('x' "y\")", {R"('x' "y\")"}},
      {"'a' '", {"'a' '"}},
  };
  for (const auto& c : cases) {
    Words expected{"viewer"};
    expected.insert(expected.end(), c.words.begin(), c.words.end());
    expected.push_back("/d/a b.txt");
    EXPECT_EQ(ViewerArguments("viewer", c.options, "/d/a b.txt"), expected) << c.options;
  }
}

const std::string kShiftJIS = Bytes("'A' 88 9F 0A");
const std::string kEUC = Bytes("'A' B0 A1 0A");

class EntryViewerTest : public ::testing::Test {
 protected:
  EntryViewerTest() {
    session_.settings.ViewerPath = "viewer";
    session_.settings.TempDir = dir_.Path() + "/";
  }

  std::string Path(const std::string& name) const { return dir_ / name; }
  void Add(const std::string& path) { ASSERT_TRUE(session_.files.Add(path, "", host_)); }
  // A Shift-JIS file of the folder, in the list.
  void AddText(const std::string& name) {
    WriteFile(Path(name), kShiftJIS);
    Add(Path(name));
  }
  // Both opening ways gave the one message each.
  void ExpectTwoMessages(MessageKind kind, const std::string& text) {
    ASSERT_EQ(host_.messages.size(), 2u);
    for (const auto& message : host_.messages) {
      EXPECT_EQ(message.kind, kind);
      EXPECT_EQ(message.text, text);
    }
  }
  std::set<std::string> FolderContent() const { return testing::FolderContent(dir_.Path()); }
  void Open(ListId list, std::size_t index, bool conv) {
    viewer_.Open(session_, list, index, conv);
  }

  testing::TempDir dir_;
  testing::RecordingHost host_;
  Session session_{host_, {}};
  std::vector<Words> started_;
  bool starts_ = true;
  EntryViewer viewer_{[this](const Words& arguments) {
    started_.push_back(arguments);
    return starts_;
  }};
};

TEST_F(EntryViewerTest, NothingDuringARunNorForAConvertedViewOfTheOutputFile) {
  AddText("a.txt");
  session_.run.UseOutputFile(Path("out.txt"));
  host_.onPendingEvents = [&] {
    Open(ListId::Input, 0, false);
    Open(ListId::Input, 0, true);
    Open(ListId::Output, 0, false);
  };
  session_.run.ConvertAll();
  host_.onPendingEvents = nullptr;
  Open(ListId::Output, 0, true);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(viewer_.Copies().empty());
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "out.txt"}));

  Open(ListId::Output, 0, false);
  EXPECT_EQ(started_, (std::vector<Words>{{"viewer", Path("out.txt")}}));
}

TEST_F(EntryViewerTest, AnEmptyViewerPathIsReported) {
  AddText("a.txt");
  session_.settings.ViewerPath.clear();
  for (const bool conv : {false, true})
    Open(ListId::Input, 0, conv);
  EXPECT_TRUE(started_.empty());
  ExpectTwoMessages(MessageKind::Warning, "ビューアが指定されていません。");
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt"}));
}

TEST_F(EntryViewerTest, ShowsTheFileItselfWithTheOptions) {
  AddText("a.txt");
  AddText("b c.txt");
  session_.settings.ViewerCmdLineOption = "-r  --title 'two words'";
  Open(ListId::Input, 1, false);
  EXPECT_EQ(started_,
            (std::vector<Words>{{"viewer", "-r", "--title", "two words", Path("b c.txt")}}));
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(viewer_.Copies().empty());
}

TEST_F(EntryViewerTest, AFileThatWasNotConvertedIsReported) {
  AddText("a.txt");
  Add(Path("gone.txt"));
  Open(ListId::Input, 0, true);
  // What the earlier view left must not be shown for this entry.
  Open(ListId::Input, 1, true);
  EXPECT_EQ(started_.size(), 1u);
  EXPECT_EQ(viewer_.Copies().size(), 1u);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(host_.messages[0].text, Path("gone.txt") + " は、変換されませんでした。");
}

TEST_F(EntryViewerTest, AViewerThatDoesNotStartIsReportedAndTheCopyStillGoesAtExit) {
  AddText("a.txt");
  starts_ = false;
  Open(ListId::Input, 0, false);
  Open(ListId::Input, 0, true);
  EXPECT_EQ(started_.size(), 2u);
  ExpectTwoMessages(MessageKind::Error, "ビューアの起動に失敗しました。");
  ASSERT_EQ(viewer_.Copies().size(), 1u);
  EXPECT_EQ(viewer_.DeleteCopies(), 0u);
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt"}));
}

TEST_F(EntryViewerTest, ShowsConvertedCopiesLeavesTheSourcesAloneAndCountsCopiesGoneAtExit) {
  AddText("a.txt");
  AddText("b.txt");
  session_.settings.OutputKanjiCode = 1;
  Open(ListId::Input, 0, true);
  Open(ListId::Input, 1, true);
  const std::vector<std::string> copies = viewer_.Copies();
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(started_, (std::vector<Words>{{"viewer", copies[0]}, {"viewer", copies[1]}}));
  EXPECT_EQ(ReadFile(copies[0]), kEUC);
  EXPECT_EQ(ReadFile(Path("a.txt")), kShiftJIS);
  EXPECT_TRUE(host_.messages.empty());
  ::unlink(copies[0].c_str());
  EXPECT_EQ(viewer_.DeleteCopies(), 1u);
  EXPECT_TRUE(viewer_.Copies().empty());
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "b.txt"}));
}

}  // namespace
}  // namespace mxt::app
