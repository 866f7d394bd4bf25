#include "app/ProfileText.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

constexpr std::string_view kFile =
    "; kept by hand\n"
    "[MainWindow]\n"
    "  PosX =  12  \n"
    "Note without equals\n"
    "\n"
    "[options]\n"
    "ViewerPath=\n"
    ";ConvWhenExecuted=1\n"
    "TempDir= /var/tmp \n"
    "\n"
    "[Other]\n"
    "PosX=99\n";

TEST(ProfileTextTest, NamesIgnoreAsciiCaseAndValuesAreTrimmedAndSeenTo1023Bytes) {
  EXPECT_EQ(ProfileValue(kFile, "mainwindow", "posx"), "12");
  EXPECT_EQ(ProfileValue(kFile, "Options", "TempDir"), "/var/tmp");
  EXPECT_EQ(ProfileValue(kFile, "Options", "ViewerPath"), "");
  EXPECT_EQ(ProfileValue(kFile, "Options", "ConvWhenExecuted"), std::nullopt);
  EXPECT_EQ(ProfileValue(kFile, "Options", "PosX"), std::nullopt);
  EXPECT_EQ(ProfileValue(kFile, "Missing", "PosX"), std::nullopt);
  EXPECT_EQ(ProfileValue("", "Options", "PosX"), std::nullopt);
  const std::string value(2000, 'v');
  const std::string text = "[Options]\nViewerPath=" + value + "\n";
  EXPECT_EQ(ProfileValue(text, "Options", "ViewerPath"), value.substr(0, 1023));
}

TEST(ProfileTextTest, WritingChangesOneLineAndKeepsTheRest) {
  const std::string changed = WithProfileValue(kFile, "OPTIONS", "tempdir", "/srv/tmp");
  EXPECT_EQ(changed,
            "; kept by hand\n[MainWindow]\n  PosX =  12  \nNote without equals\n\n[options]\n"
            "ViewerPath=\n;ConvWhenExecuted=1\ntempdir=/srv/tmp\n\n[Other]\nPosX=99\n");
}

TEST(ProfileTextTest, ANewKeyEndsItsSectionAndANewSectionEndsTheFile) {
  std::string text = WithProfileValue(kFile, "MainWindow", "PosY", "-3");
  EXPECT_EQ(ProfileValue(text, "MainWindow", "PosY"), "-3");
  EXPECT_NE(text.find("Note without equals\nPosY=-3\n\n[options]"), std::string::npos) << text;
  text = WithProfileValue(text, "New", "Key", "v");
  EXPECT_TRUE(text.ends_with("\nPosX=99\n[New]\nKey=v\n")) << text;
  EXPECT_EQ(WithProfileValue("", "Options", "A", "1"), "[Options]\nA=1\n");
}

TEST(ProfileTextTest, KeepsWindowsLineEndsAndNeverWritesALineBreakIntoAValue) {
  const std::string text = WithProfileValue("[Options]\r\nA=1\r\n", "Options", "B", "x\ny=2");
  EXPECT_EQ(text, "[Options]\r\nA=1\r\nB=x y=2\r\n");
  EXPECT_EQ(ProfileValue(text, "Options", "y"), std::nullopt);
  EXPECT_EQ(ProfileValue(text, "Options", "A"), "1");
}

// An editor's byte-order mark is no part of the first section's name, and stays; a file
// whose lines end in a CR alone is read by its lines, and written so.
TEST(ProfileTextTest, PassesOverAndKeepsAByteOrderMarkAndTakesACarriageReturnAsALineEnd) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(ProfileValue(bom + "[Options]\nA=1\n", "Options", "A"), "1");
  EXPECT_EQ(WithProfileValue(bom + "[Options]\nA=1\n", "Options", "A", "2"),
            bom + "[Options]\nA=2\n");
  const std::string mac = "[Options]\rA=1\rB=2\r";
  EXPECT_EQ(ProfileValue(mac, "Options", "B"), "2");
  EXPECT_EQ(WithProfileValue(mac, "Options", "C", "3"), "[Options]\rA=1\rB=2\rC=3\r");
  EXPECT_EQ(WithProfileValue("[Options]\rA=1\nB=2", "Options", "B", "3"), "[Options]\rA=1\nB=3\r");
}

}  // namespace
}  // namespace mxt::app
