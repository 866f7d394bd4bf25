#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "fileconv/FileList.h"
#include "fileconv/SettingsRecord.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Settings;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fileconv::ResetSettings();
    fileconv::ResetFileLists();
  }
  void TearDown() override { fileconv::ResetFileLists(); }

  void Parse(std::vector<std::string> arguments) { ParseCommandLine(std::move(arguments), host_); }

  testing::RecordingHost host_;
};

TEST(ClassifyArgumentTest, TellsOptionsFromFiles) {
  const struct {
    const char* text;
    ArgumentKind kind;
  } cases[] = {
      {"", ArgumentKind::File},
      {"a.txt", ArgumentKind::File},
      {"/B", ArgumentKind::Option},
      {"-e", ArgumentKind::Option},
      {"/O", ArgumentKind::ParameterOption},
      {"-o", ArgumentKind::ParameterOption},
      {"/O-", ArgumentKind::Option},
      {"/OJ", ArgumentKind::Option},
      {"/UE-", ArgumentKind::Option},
      {"/home/a.txt", ArgumentKind::File},
      {"//a.txt", ArgumentKind::File},
      {"/", ArgumentKind::Option},
      {"-dir/x", ArgumentKind::Option},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyArgument(c.text), c.kind) << c.text;
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
    std::function<bool()> holds;
  } cases[] = {
      {"/E", [] { return Settings.OutputKanjiCode == 1; }},
      {"-e", [] { return Settings.OutputKanjiCode == 1; }},
      {"/J",
       [] {
         return Settings.OutputKanjiCode == 2 &&
                Settings.EscapeSequence == EscapeSequenceSet::EscBJ;
       }},
      {"/bj",
       [] {
         return Settings.OutputKanjiCode == 2 &&
                Settings.EscapeSequence == EscapeSequenceSet::EscBB;
       }},
      {"/OJ", [] { return Settings.EscapeSequence == EscapeSequenceSet::EscAtJ; }},
      {"/NJ", [] { return Settings.EscapeSequence == EscapeSequenceSet::EscKH; }},
      {"/M", [] { return Settings.OutputNewlineCode == NewlineCode::CRLF; }},
      {"/U", [] { return Settings.OutputNewlineCode == NewlineCode::LF; }},
      {"/MA", [] { return Settings.OutputNewlineCode == NewlineCode::CR; }},
      {"/7", [] { return Settings.SevenBitMode; }},
      {"/Z", [] { return Settings.RemoveCtrlZ; }},
      {"/P", [] { return Settings.PreserveTimestamp; }},
      {"/L", [] { return Settings.ForceNewlineConv; }},
      {"/IJ", [] { return Settings.InputKanjiCode == 3; }},
      {"/IE", [] { return Settings.InputKanjiCode == 2; }},
      {"/TC", [] { return Settings.WayToOverwrite == 1; }},
      {"/UE", [] { return Settings.ConvWhenExecuted; }},
      {"/US", [] { return Settings.ConvWhenSelected; }},
      {"/UD", [] { return Settings.ConvWhenDropped; }},
      {"/UQ", [] { return Settings.QuitWhenConverted; }},
      {"/UF", [] { return Settings.DontShortenFileName; }},
  };
  for (const auto& c : cases) {
    fileconv::ResetSettings();
    ApplyOption(c.option, host_);
    EXPECT_TRUE(c.holds()) << c.option;
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(CommandLineTest, LaterOptionsWinAndMinusFormsTurnOff) {
  Parse({"/Z", "/Z-", "/UE", "/UE-", "/P", "-p-", "/J", "/BJ"});
  EXPECT_FALSE(Settings.RemoveCtrlZ);
  EXPECT_FALSE(Settings.ConvWhenExecuted);
  EXPECT_FALSE(Settings.PreserveTimestamp);
  EXPECT_EQ(Settings.EscapeSequence, EscapeSequenceSet::EscBB);
  Parse({"/BJ", "/J"});
  EXPECT_EQ(Settings.EscapeSequence, EscapeSequenceSet::EscBJ);
}

TEST_F(CommandLineTest, BatchResetsTheOptionsBeforeIt) {
  Parse({"/E", "/Z", "/B"});
  EXPECT_EQ(Settings.OutputKanjiCode, 0);
  EXPECT_FALSE(Settings.RemoveCtrlZ);
  EXPECT_TRUE(Settings.BatchMode);
  EXPECT_TRUE(Settings.ConvWhenExecuted);
  EXPECT_TRUE(Settings.QuitWhenConverted);
  Parse({"/B", "/E"});
  EXPECT_EQ(Settings.OutputKanjiCode, 1);
  EXPECT_TRUE(Settings.BatchMode);
}

TEST_F(CommandLineTest, AcceptsTheOptionsWithoutEffectAndReportsUnknownOnes) {
  Parse({"/?", "/C", "/O-", "/QQ", "/HELP", "-inifile", "/T-"});
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_FALSE(Settings.CommandLineError);
  Parse({"/X", "/help2", "/ABCD", "-"});
  ASSERT_EQ(host_.messages.size(), 4u);
  EXPECT_EQ(host_.messages[0].text, "コマンドラインオプションに誤りがあります。\rオプション: '/X'");
  EXPECT_EQ(host_.messages[1].text,
            "コマンドラインオプションに誤りがあります。\rオプション: '/help2'");
  EXPECT_EQ(host_.messages[0].kind, fileconv::MessageKind::Error);
  EXPECT_TRUE(Settings.CommandLineError);
}

TEST_F(CommandLineTest, TheOutputOptionTakesTheNextFileArgument) {
  Parse({"/O", "out.txt", "in.txt"});
  EXPECT_TRUE(Settings.OutputToFile);
  EXPECT_EQ(Settings.OutputFileName, "out.txt");
  EXPECT_EQ(CommandLine.CommandLineFileCount, 1);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(CommandLineTest, AnOutputOptionWithoutItsParameterIsReported) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{"a.txt", "/o"}, {"/O", "/E", "a.txt"}}) {
    host_.messages.clear();
    fileconv::ResetSettings();
    Parse(arguments);
    EXPECT_FALSE(Settings.OutputToFile);
    EXPECT_TRUE(Settings.CommandLineError);
    EXPECT_EQ(CommandLine.CommandLineFileCount, 1);
    ASSERT_EQ(host_.messages.size(), 1u);
    const std::string typed = arguments[0] == "/O" ? "/O" : "/o";
    EXPECT_EQ(
        host_.messages[0].text,
        "コマンドラインオプションにパラメータが不足しています。\rオプション: '" + typed + "'");
  }
  EXPECT_EQ(Settings.OutputKanjiCode, 1) << "the option after /O still applies";
}

TEST_F(CommandLineTest, AddsTheFilesAWildcardMatchesButNoFoldersOrHiddenFiles) {
  testing::TempDir dir;
  testing::WriteFile(dir / "a.txt", "a");
  testing::WriteFile(dir / "b.txt", "b");
  testing::WriteFile(dir / ".c.txt", "c");
  ::mkdir((dir / "d.txt").c_str(), 0755);
  testing::WriteFile(dir / "e.doc", "e");
  Parse({"/O", dir / "out.txt", dir / "*.txt", dir / "nothing*", dir / "e.doc"});
  AddCommandLineFiles(host_);
  std::vector<std::string> paths;
  for (const auto& entry : fileconv::Files.Inputs)
    paths.push_back(entry->Path);
  EXPECT_EQ(paths, (std::vector<std::string>{dir / "a.txt", dir / "b.txt", dir / "e.doc"}));
  EXPECT_EQ(host_.CallsStartingWith("files added"), std::vector<std::string>{"files added 0"});
}

}  // namespace
}  // namespace mxt::app
