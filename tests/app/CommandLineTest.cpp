#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "fileconv/FileList.h"
#include "fileconv/Settings.h"
#include "platform/CurrentDirectory.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Settings;

// The paths the parsed arguments add to a file list.
std::vector<std::string> ListedPaths(CommandLine& commandLine, testing::RecordingHost& host) {
  fileconv::FileList files;
  commandLine.AddFiles(files, host);
  std::vector<std::string> paths;
  for (const auto& entry : files.Inputs())
    paths.push_back(entry->Path);
  return paths;
}

class CommandLineTest : public ::testing::Test {
 protected:
  void Parse(std::vector<std::string> arguments) {
    rejected_ = commandLine_.Parse(std::move(arguments), settings_);
  }

  Settings settings_;
  CommandLine commandLine_;
  std::vector<std::string> rejected_;
};

TEST(ClassifyArgumentTest, TellsOptionsFromFiles) {
  for (const char* file : {"", "a.txt", "/home/a.txt", "//a.txt"})
    EXPECT_EQ(ClassifyArgument(file), ArgumentKind::File) << file;
  for (const char* option : {"/B", "-e", "/O-", "/OJ", "/UE-", "/", "-dir/x"})
    EXPECT_EQ(ClassifyArgument(option), ArgumentKind::Option) << option;
  for (const char* withParameter : {"/O", "-o"})
    EXPECT_EQ(ClassifyArgument(withParameter), ArgumentKind::ParameterOption) << withParameter;
}

TEST(AsksForTest, HelpIsAskedByItsOptionsAndItsLongNameOnly) {
  for (const char* asks : {"/?", "/H", "-h", "/HELP", "-Help", "--help", "--HELP"})
    EXPECT_TRUE(AsksForHelp({"/B", asks, "a.txt"})) << asks;
  for (const char* other : {"--h", "--?", "---help", "/help2", "//HELP", "/home/HELP", "help"})
    EXPECT_FALSE(AsksForHelp({"/B", other})) << other;
}

TEST(AsksForTest, VersionIsAskedByItsOptionAndItsLongNameOnly) {
  for (const char* asks : {"/VERSION", "/version", "-Version", "--version", "--VERSION"})
    EXPECT_TRUE(AsksForVersion({"/B", "/E", asks, "a.txt"})) << asks;
  for (const char* other :
       {"/V", "-v", "--v", "/VERSIONS", "---version", "//VERSION", "/dir/VERSION", "version"})
    EXPECT_FALSE(AsksForVersion({"/B", other})) << other;
  EXPECT_FALSE(AsksForVersion({"/HELP"}));
  EXPECT_FALSE(AsksForHelp({"/VERSION"}));
}

TEST_F(CommandLineTest, EachOptionSetsItsSetting) {
  const struct {
    const char* option;
    std::function<bool(const Settings&)> holds;
  } cases[] = {
      {"/E", [](const Settings& s) { return s.OutputKanjiCode == 1; }},
      {"-e", [](const Settings& s) { return s.OutputKanjiCode == 1; }},
      {"/J",
       [](const Settings& s) {
         return s.OutputKanjiCode == 2 && s.EscapeSequence == EscapeSequenceSet::EscBJ;
       }},
      {"/bj",
       [](const Settings& s) {
         return s.OutputKanjiCode == 2 && s.EscapeSequence == EscapeSequenceSet::EscBB;
       }},
      {"/OJ", [](const Settings& s) { return s.EscapeSequence == EscapeSequenceSet::EscAtJ; }},
      {"/NJ", [](const Settings& s) { return s.EscapeSequence == EscapeSequenceSet::EscKH; }},
      {"/M", [](const Settings& s) { return s.OutputNewlineCode == NewlineCode::CRLF; }},
      {"/U", [](const Settings& s) { return s.OutputNewlineCode == NewlineCode::LF; }},
      {"/MA", [](const Settings& s) { return s.OutputNewlineCode == NewlineCode::CR; }},
      {"/7", [](const Settings& s) { return s.SevenBitMode; }},
      {"/Z", [](const Settings& s) { return s.RemoveCtrlZ; }},
      {"/P", [](const Settings& s) { return s.PreserveTimestamp; }},
      {"/L", [](const Settings& s) { return s.ForceNewlineConv; }},
      {"/IJ", [](const Settings& s) { return s.InputKanjiCode == 3; }},
      {"/IE", [](const Settings& s) { return s.InputKanjiCode == 2; }},
      {"/TC", [](const Settings& s) { return s.WayToOverwrite == 1; }},
      {"/UE", [](const Settings& s) { return s.ConvWhenExecuted; }},
      {"/US", [](const Settings& s) { return s.ConvWhenSelected; }},
      {"/UD", [](const Settings& s) { return s.ConvWhenDropped; }},
      {"/UQ", [](const Settings& s) { return s.QuitWhenConverted; }},
      {"/UF", [](const Settings& s) { return s.DontShortenFileName; }},
      {"/w", [](const Settings& s) { return s.OutputKanjiCode == 3 && !s.UTF8BOM; }},
      {"/WB", [](const Settings& s) { return s.OutputKanjiCode == 3 && s.UTF8BOM; }},
      {"-iw", [](const Settings& s) { return s.InputKanjiCode == 4; }},
      {"/XJ", [](const Settings& s) { return s.Mapping == engine::CharacterMapping::JIS; }},
      {"/FG", [](const Settings& s) { return s.Unconvertible == engine::Unconvertible::Geta; }},
      {"/FX",
       [](const Settings& s) { return s.Unconvertible == engine::Unconvertible::Reference; }},
      {"/k", [](const Settings& s) { return s.KeepBackup; }},
      {"-D", [](const Settings& s) { return s.DryRun; }},
      {"/R", [](const Settings& s) { return s.Recurse; }},
  };
  for (const auto& c : cases) {
    Settings settings;
    EXPECT_TRUE(ApplyOption(c.option, settings)) << c.option;
    EXPECT_TRUE(c.holds(settings)) << c.option;
  }
}

TEST_F(CommandLineTest, LaterOptionsWinAndMinusFormsTurnOff) {
  Parse({"/Z", "/Z-", "/UE", "/UE-", "/P", "-p-", "/J", "/BJ", "/XJ", "/XW", "/FG", "/FS", "/K",
         "/K-"});
  EXPECT_FALSE(settings_.KeepBackup);
  EXPECT_EQ(settings_.Mapping, engine::CharacterMapping::Windows);
  EXPECT_EQ(settings_.Unconvertible, engine::Unconvertible::Skip);
  EXPECT_FALSE(settings_.RemoveCtrlZ);
  EXPECT_FALSE(settings_.ConvWhenExecuted);
  EXPECT_FALSE(settings_.PreserveTimestamp);
  EXPECT_EQ(settings_.EscapeSequence, EscapeSequenceSet::EscBB);
  Parse({"/BJ", "/J"});
  EXPECT_EQ(settings_.EscapeSequence, EscapeSequenceSet::EscBJ);
}

TEST_F(CommandLineTest, BatchResetsTheOptionsBeforeIt) {
  Parse({"/E", "/Z", "/WB", "/XJ", "/FX", "/K", "/R", "/D", "/B"});
  EXPECT_FALSE(settings_.KeepBackup || settings_.Recurse || settings_.DryRun);
  EXPECT_EQ(settings_.OutputKanjiCode, 0);
  EXPECT_FALSE(settings_.RemoveCtrlZ);
  EXPECT_FALSE(settings_.UTF8BOM);
  EXPECT_EQ(settings_.Mapping, engine::CharacterMapping::Windows);
  EXPECT_EQ(settings_.Unconvertible, engine::Unconvertible::Skip);
  EXPECT_TRUE(settings_.BatchMode);
  EXPECT_TRUE(settings_.ConvWhenExecuted);
  EXPECT_TRUE(settings_.QuitWhenConverted);
  Parse({"/B", "/E"});
  EXPECT_EQ(settings_.OutputKanjiCode, 1);
  EXPECT_TRUE(settings_.BatchMode);
}

TEST_F(CommandLineTest, AcceptsTheOptionsWithoutEffectAndReportsUnknownOnes) {
  Parse({"/?", "/C", "/O-", "/QQ", "/HELP", "-inifile", "/T-"});
  EXPECT_TRUE(rejected_.empty());
  EXPECT_FALSE(settings_.CommandLineError);
  Parse({"/X", "/help2", "/ABCD", "-"});
  ASSERT_EQ(rejected_.size(), 4u);
  EXPECT_EQ(rejected_[0], "コマンドラインオプションに誤りがあります。\rオプション: '/X'");
  EXPECT_EQ(rejected_[1], "コマンドラインオプションに誤りがあります。\rオプション: '/help2'");
  EXPECT_TRUE(settings_.CommandLineError);
  Settings unchanged;
  EXPECT_FALSE(ApplyOption("/X", unchanged));
}

TEST_F(CommandLineTest, ADryRunIsForBatchRunsAloneAndTheWindowRefusesIt) {
  Parse({"/E", "/d", "a.txt"});
  ASSERT_EQ(rejected_.size(), 1u);
  EXPECT_EQ(rejected_[0], "コマンドラインオプションに誤りがあります。\rオプション: '/d'");
  EXPECT_FALSE(settings_.DryRun);
  Parse({"/B", "/E", "-D", "a.txt"});
  EXPECT_TRUE(rejected_.empty());
  EXPECT_TRUE(settings_.DryRun);
}

TEST_F(CommandLineTest, StandardStreamsAreOneFileOfABatchRunWithoutAnOutputFile) {
  const struct {
    std::vector<std::string> arguments;
    const char* rejected;
  } cases[] = {
      {{"/B", "/E", "-"}, nullptr},
      {{"/B", "/E", "-", "-"}, "標準入力と標準出力 (-) は 1 回だけ指定できます。"},
      {{"/B", "/O", "out.txt", "-"}, "標準入力と標準出力 (-) は /O といっしょには使えません。"},
      {{"/E", "-"}, "標準入力と標準出力 (-) はバッチ実行 (/B) でだけ使えます。"},
  };
  for (const auto& c : cases) {
    settings_ = Settings();
    Parse(c.arguments);
    EXPECT_TRUE(commandLine_.UsesStandardStreams());
    EXPECT_EQ(commandLine_.FileCount(), 0) << "no file of the list";
    if (c.rejected) {
      ASSERT_EQ(rejected_.size(), 1u) << c.rejected;
      EXPECT_EQ(rejected_[0], c.rejected);
    } else {
      EXPECT_TRUE(rejected_.empty());
    }
  }
}

TEST_F(CommandLineTest, TheOutputOptionTakesTheNextFileArgument) {
  Parse({"/O", "out.txt", "in.txt"});
  EXPECT_TRUE(settings_.OutputToFile);
  EXPECT_EQ(settings_.OutputFileName, "out.txt");
  EXPECT_EQ(commandLine_.FileCount(), 1);
  EXPECT_TRUE(rejected_.empty());
}

TEST_F(CommandLineTest, AnOutputOptionWithoutItsParameterIsReported) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{"a.txt", "/o"}, {"/O", "/E", "a.txt"}}) {
    settings_ = Settings();
    Parse(arguments);
    EXPECT_FALSE(settings_.OutputToFile);
    EXPECT_TRUE(settings_.CommandLineError);
    EXPECT_EQ(commandLine_.FileCount(), 1);
    ASSERT_EQ(rejected_.size(), 1u);
    const std::string typed = arguments[0] == "/O" ? "/O" : "/o";
    EXPECT_EQ(
        rejected_[0],
        "コマンドラインオプションにパラメータが不足しています。\rオプション: '" + typed + "'");
  }
  EXPECT_EQ(settings_.OutputKanjiCode, 1) << "the option after /O still applies";
}

// A shell pattern may give names that begin with "-": after "--" every argument is a file,
// "-O" no option that would take the next file for its output.
TEST_F(CommandLineTest, AfterTwoDashesEveryArgumentIsAFile) {
  testing::TempDir dir;
  testing::WriteFile(dir / "-O", "o");
  testing::WriteFile(dir / "a.txt", "a");
  const std::string before = platform::CurrentDirectory();
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  testing::WriteFile(dir / "-", "-");
  Parse({"/B", "/S", "--", "-O", "a.txt", "/E", "-"});
  testing::RecordingHost host;
  const std::vector<std::string> listed = ListedPaths(commandLine_, host);
  const std::vector<std::string> named = NamedFiles({"--", "-O"});
  ASSERT_EQ(::chdir(before.c_str()), 0);
  EXPECT_TRUE(rejected_.empty());
  EXPECT_FALSE(settings_.OutputToFile);
  EXPECT_EQ(settings_.OutputKanjiCode, 0) << "/E after -- is a file";
  EXPECT_FALSE(commandLine_.UsesStandardStreams()) << "- after -- is a file";
  EXPECT_EQ(commandLine_.FileCount(), 4);
  EXPECT_EQ(listed, (std::vector<std::string>{dir / "-O", dir / "a.txt", dir / "-"}));
  EXPECT_EQ(named, std::vector<std::string>{dir / "-O"});
  EXPECT_FALSE(AsksForHelp({"/B", "--", "-h"}));
  // "--" is no output file: /O before it lacks one.
  Parse({"/B", "/O", "--", "a.txt"});
  EXPECT_FALSE(settings_.OutputToFile);
  EXPECT_EQ(rejected_.size(), 1u);
}

TEST_F(CommandLineTest, AddsTheFilesAWildcardMatchesButNoFoldersOrHiddenFiles) {
  testing::TempDir dir;
  testing::WriteFile(dir / "a.txt", "a");
  testing::WriteFile(dir / "b.txt", "b");
  testing::WriteFile(dir / ".c.txt", "c");
  ::mkdir((dir / "d.txt").c_str(), 0755);
  testing::WriteFile(dir / "e.doc", "e");
  Parse({"/O", dir / "out.txt", dir / "*.txt", dir / "nothing*", dir / "e.doc"});
  testing::RecordingHost host;
  EXPECT_EQ(ListedPaths(commandLine_, host),
            (std::vector<std::string>{dir / "a.txt", dir / "b.txt", dir / "e.doc"}));
  EXPECT_EQ(host.CallsStartingWith("files added"), std::vector<std::string>{"files added 0"});
  ASSERT_EQ(commandLine_.UnlistedNames().size(), 1u);
  EXPECT_EQ(commandLine_.UnlistedNames()[0].argument, dir / "nothing*");
}

// Names from a file manager may hold "?" and "*": a file of that very name is never taken
// for a pattern, here or in what a second start hands over.
TEST_F(CommandLineTest, AnArgumentNamingAFileIsThatFileAndNoPattern) {
  testing::TempDir dir;
  for (const char* name : {"what?.txt", "whatA.txt", "star*.txt", "starX.txt"})
    testing::WriteFile(dir / name, name);
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::string> listed;
  } cases[] = {
      {{dir / "what?.txt", dir / "star*.txt"}, {dir / "what?.txt", dir / "star*.txt"}},
      {{dir / "wha??.txt"}, {dir / "what?.txt", dir / "whatA.txt"}},
      {{dir / "st*X.txt"}, {dir / "starX.txt"}},
  };
  for (const auto& c : cases) {
    CommandLine commandLine;
    commandLine.Parse(c.arguments, settings_);
    testing::RecordingHost host;
    EXPECT_EQ(ListedPaths(commandLine, host), c.listed) << c.arguments[0];
    EXPECT_EQ(NamedFiles(c.arguments), c.listed) << c.arguments[0];
  }
}

}  // namespace
}  // namespace mxt::app
