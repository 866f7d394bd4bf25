#include "app/OptionsPages.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Settings;

// The fields the pages edit, as one comparable tuple.
auto Edited(const Settings& s) {
  return std::tuple(s.OutputKanjiCode, s.EscapeSequence, s.OutputNewlineCode, s.InputKanjiCode,
                    s.WayToOverwrite, s.SevenBitMode, s.RemoveCtrlZ, s.PreserveTimestamp,
                    s.ViewerPath, s.ViewerCmdLineOption, s.ConvWhenExecuted, s.ConvWhenSelected,
                    s.ConvWhenDropped, s.QuitWhenConverted, s.DontShortenFileName, s.Language);
}

TEST(OptionsPagesTest, EveryEditedFieldGoesThroughThePagesUnchanged) {
  Settings a;
  a.OutputKanjiCode = 2;
  a.EscapeSequence = EscapeSequenceSet::EscKH;
  a.OutputNewlineCode = NewlineCode::CR;
  a.InputKanjiCode = 3;
  a.WayToOverwrite = 1;
  a.SevenBitMode = a.PreserveTimestamp = a.ConvWhenSelected = a.QuitWhenConverted = true;
  a.ViewerPath = "/usr/bin/less";
  a.ViewerCmdLineOption = "-N 'two words'";
  a.Language = 2;
  Settings b;
  b.RemoveCtrlZ = b.ConvWhenExecuted = b.ConvWhenDropped = b.DontShortenFileName = true;
  b.ViewerPath = "xdg-open";
  for (const Settings& stored : {a, b}) {
    Settings applied;
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

TEST(OptionsPagesTest, AValueOutOfItsRangeChoosesNoneAndNoneLeavesTheField) {
  Settings stored;
  stored.OutputKanjiCode = 4;
  stored.WayToOverwrite = 2;
  stored.InputKanjiCode = 5;
  const OptionsPageValues values = PageValuesOf(stored);
  EXPECT_EQ(values.Choice(OptionChoice::OutputCode), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::WayToOverwrite), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::InputCode), kNoChoice);
  EXPECT_EQ(values.Choice(OptionChoice::NewlineCode), 0);

  Settings target;
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

}  // namespace
}  // namespace mxt::app
