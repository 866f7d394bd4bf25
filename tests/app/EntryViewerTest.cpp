#include "app/EntryViewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileconv/FileList.h"
#include "fileconv/OneFileConversion.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "tests/support/Bytes.h"
#include "tests/support/ConversionFixture.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using fileconv::ListId;
using fileconv::MessageKind;
using fileconv::RunStatus;
using fileconv::Settings;
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
  };
  for (const auto& c : cases) {
    Words expected{"viewer"};
    expected.insert(expected.end(), c.words.begin(), c.words.end());
    expected.push_back("/d/a b.txt");
    EXPECT_EQ(ViewerArguments("viewer", c.options, "/d/a b.txt"), expected) << c.options;
  }
}

TEST(ViewerArgumentsTest, OptionsWithAnOpenQuoteAreOneWord) {
  for (const char* options : {"-n 'open", " \"abc ", R"('x' "y\")", "'a' '"}) {
    EXPECT_EQ(ViewerArguments("viewer", options, "f"), (Words{"viewer", options, "f"})) << options;
  }
}

const std::string kShiftJIS = Bytes("'A' 88 9F 0A");
const std::string kEUC = Bytes("'A' B0 A1 0A");

class EntryViewerTest : public testing::ConversionFixture {
 protected:
  void SetUp() override {
    ConversionFixture::SetUp();
    Settings.ViewerPath = "viewer";
  }

  void Open(ListId list, std::size_t index, bool conv) {
    OpenInViewer(list, index, conv, host_, [this](const Words& arguments) {
      started_.push_back(arguments);
      return starts_;
    });
  }

  std::vector<Words> started_;
  bool starts_ = true;
};

TEST_F(EntryViewerTest, NothingDuringARunNorForAConvertedViewOfTheOutputFile) {
  WriteFile(Path("a.txt"), kShiftJIS);
  Add(Path("a.txt"));
  OutputTo(Path("out.txt"));
  RunStatus.Busy = true;
  Open(ListId::Input, 0, false);
  Open(ListId::Input, 0, true);
  Open(ListId::Output, 0, false);
  RunStatus.Busy = false;
  Open(ListId::Output, 0, true);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(RunStatus.ViewerTempFiles.empty());
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt"}));

  Open(ListId::Output, 0, false);
  EXPECT_EQ(started_, (std::vector<Words>{{"viewer", Path("out.txt")}}));
}

TEST_F(EntryViewerTest, AnEmptyViewerPathIsReported) {
  WriteFile(Path("a.txt"), kShiftJIS);
  Add(Path("a.txt"));
  Settings.ViewerPath.clear();
  for (const bool conv : {false, true})
    Open(ListId::Input, 0, conv);
  EXPECT_TRUE(started_.empty());
  ASSERT_EQ(host_.messages.size(), 2u);
  for (const auto& message : host_.messages) {
    EXPECT_EQ(message.kind, MessageKind::Warning);
    EXPECT_EQ(message.text, "ビューアが指定されていません。");
  }
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt"}));
}

TEST_F(EntryViewerTest, ShowsTheFileItselfWithTheOptions) {
  WriteFile(Path("a.txt"), kShiftJIS);
  WriteFile(Path("b c.txt"), kShiftJIS);
  Add(Path("a.txt"));
  Add(Path("b c.txt"));
  Settings.ViewerCmdLineOption = "-r  --title 'two words'";
  Open(ListId::Input, 1, false);
  EXPECT_EQ(started_,
            (std::vector<Words>{{"viewer", "-r", "--title", "two words", Path("b c.txt")}}));
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(RunStatus.ViewerTempFiles.empty());
}

TEST_F(EntryViewerTest, ShowsAConvertedCopyAndLeavesTheSourceAlone) {
  WriteFile(Path("a.txt"), kShiftJIS);
  Add(Path("a.txt"));
  Settings.OutputKanjiCode = 1;
  Open(ListId::Input, 0, true);
  const std::string copy = fileconv::Conversion.TempFileName;
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(started_, (std::vector<Words>{{"viewer", copy}}));
  EXPECT_EQ(RunStatus.ViewerTempFiles, Words{copy});
  EXPECT_EQ(ReadFile(copy), kEUC);
  EXPECT_EQ(ReadFile(Path("a.txt")), kShiftJIS);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(EntryViewerTest, AFileThatWasNotConvertedIsReported) {
  Add(Path("gone.txt"));
  // What an earlier view left must not be shown for this entry.
  fileconv::Conversion.TempFileName = Path("earlier.tmp");
  Open(ListId::Input, 0, true);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(RunStatus.ViewerTempFiles.empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(host_.messages[0].text, Path("gone.txt") + " は、変換されませんでした。");
}

TEST_F(EntryViewerTest, AViewerThatDoesNotStartIsReportedAndTheCopyStillGoesAtExit) {
  WriteFile(Path("a.txt"), kShiftJIS);
  Add(Path("a.txt"));
  starts_ = false;
  Open(ListId::Input, 0, false);
  Open(ListId::Input, 0, true);
  EXPECT_EQ(started_.size(), 2u);
  ASSERT_EQ(host_.messages.size(), 2u);
  for (const auto& message : host_.messages) {
    EXPECT_EQ(message.kind, MessageKind::Error);
    EXPECT_EQ(message.text, "ビューアの起動に失敗しました。");
  }
  EXPECT_EQ(RunStatus.ViewerTempFiles, Words{fileconv::Conversion.TempFileName});
}

}  // namespace
}  // namespace mxt::app
