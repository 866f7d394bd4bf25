#include "app/OptionsPages.h"

#include <gtest/gtest.h>

#include "engine/EscapeSequence.h"
#include "fileconv/FileList.h"
#include "tests/support/RecordingHost.h"

namespace mxt::app {
namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Files;
using fileconv::SettingsRecord;

// The fields the pages edit, as one comparable tuple.
auto Edited(const SettingsRecord& s) {
  return std::tuple(s.OutputKanjiCode, s.EscapeSequence, s.OutputNewlineCode, s.InputKanjiCode,
                    s.WayToOverwrite, s.SevenBitMode, s.RemoveCtrlZ, s.PreserveTimestamp,
                    s.ViewerPath, s.ViewerCmdLineOption, s.ConvWhenExecuted, s.ConvWhenSelected,
                    s.ConvWhenDropped, s.QuitWhenConverted, s.DontShortenFileName);
}

class OptionsPagesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::SelectEscapeSequenceSet(EscapeSequenceSet::EscBJ);
    fileconv::ResetFileLists();
  }
};

TEST_F(OptionsPagesTest, EveryEditedFieldGoesThroughThePagesUnchanged) {
  SettingsRecord a;
  a.OutputKanjiCode = 2;
  a.EscapeSequence = EscapeSequenceSet::EscKH;
  a.OutputNewlineCode = NewlineCode::CR;
  a.InputKanjiCode = 3;
  a.WayToOverwrite = 1;
  a.SevenBitMode = a.PreserveTimestamp = a.ConvWhenSelected = a.QuitWhenConverted = true;
  a.ViewerPath = "/usr/bin/less";
  a.ViewerCmdLineOption = "-N 'two words'";
  SettingsRecord b;
  b.RemoveCtrlZ = b.ConvWhenExecuted = b.ConvWhenDropped = b.DontShortenFileName = true;
  b.ViewerPath = "xdg-open";
  for (const SettingsRecord& stored : {a, b}) {
    SettingsRecord applied;
    applied.FontName = "kept";
    applied.OutputToFile = true;
    applied.GUIStyle = 1;
    ApplyPageValues(PageValuesOf(stored), applied);
    EXPECT_EQ(Edited(applied), Edited(stored));
    EXPECT_EQ(applied.FontName, "kept") << "a field no page edits";
    EXPECT_TRUE(applied.OutputToFile);
    EXPECT_EQ(applied.GUIStyle, 1);
  }
}

TEST_F(OptionsPagesTest, AValueOutOfItsRangeChoosesNoneAndNoneLeavesTheField) {
  SettingsRecord stored;
  stored.OutputKanjiCode = 3;
  stored.WayToOverwrite = 2;
  stored.InputKanjiCode = 4;
  const OptionsPageValues values = PageValuesOf(stored);
  EXPECT_EQ(values.Choice(OptionChoice::OutputCode), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::WayToOverwrite), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::InputCode), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::NewlineCode), 0);

  SettingsRecord target;
  target.OutputKanjiCode = 1;
  target.WayToOverwrite = 1;
  target.InputKanjiCode = 2;
  target.EscapeSequence = EscapeSequenceSet::EscAtJ;
  OptionsPageValues none = values;
  none.Choice(OptionChoice::EscapeSequence) = kNoChoice;
  none.Choice(OptionChoice::NewlineCode) = 4;  // past the last button
  target.OutputNewlineCode = NewlineCode::LF;
  ApplyPageValues(none, target);
  EXPECT_EQ(target.OutputKanjiCode, 1);
  EXPECT_EQ(target.WayToOverwrite, 1);
  EXPECT_EQ(target.InputKanjiCode, 2);
  EXPECT_EQ(target.EscapeSequence, EscapeSequenceSet::EscAtJ);
  EXPECT_EQ(target.OutputNewlineCode, NewlineCode::LF);
}

// Widths are ten pixels a byte: InitTabStops puts the column at 160.
TEST_F(OptionsPagesTest, SwitchingShortNamesMovesTheStatusColumns) {
  testing::RecordingHost host;
  host.measures = true;
  fileconv::InitTabStops(host);
  const int initial = Files.StatusTabStops[0];
  Files.Inputs.push_back(std::make_unique<fileconv::FileEntry>(
      fileconv::FileEntry::InputEntry("/d/" + std::string(20, 'a'))));
  Files.Output = std::make_unique<fileconv::FileEntry>(
      fileconv::FileEntry::OutputEntry("/d/" + std::string(30, 'o')));
  struct Case {
    bool dontShorten;
    bool outputToFile;
    int firstStop;
  };
  for (const Case& c :
       {Case{true, false, 208}, Case{true, true, 308}, Case{false, true, initial}}) {
    fileconv::Settings.DontShortenFileName = c.dontShorten;
    fileconv::Settings.OutputToFile = c.outputToFile;
    NameShorteningChanged(host);
    EXPECT_EQ(Files.StatusTabStops[0], c.firstStop) << c.dontShorten << c.outputToFile;
  }
  fileconv::ResetSettings();
}

}  // namespace
}  // namespace mxt::app
