// A file is converted faithfully or not at all: characters the output code has no place
// for leave the source as it was, and take nothing into the output file.
#include <gtest/gtest.h>

#include <memory>

#include <set>
#include <string>

#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "tests/support/Bytes.h"
#include "tests/support/ConversionFixture.h"

namespace mxt::fileconv {
namespace {

using testing::Bytes;
using testing::Notation;
using testing::ReadFile;
using testing::WriteFile;

constexpr char kCannotHold[] = "Skipped:\tHas characters the output code cannot hold.";

std::string Repeated(const std::string& text, std::size_t times) {
  std::string all;
  for (std::size_t i = 0; i < times; ++i)
    all += text;
  return all;
}

struct TextCase {
  const char* name;
  std::string content;
  std::uint8_t outputCode;
  const char* inPlace;     // the status converting over the file
  const char* intoOutput;  // the status written into the separate output file
  bool takenIntoOutput;    // its bytes, unchanged, end up in the output file
};

const TextCase kCases[] = {
    {"cafe", Bytes("'caf' C3 A9 0A"), 0, kCannotHold, kCannotHold, false},
    {"emoji", Bytes("'x' F0 9F 98 80 0A"), 2, kCannotHold, kCannotHold, false},
    {"overlong", Bytes("C0 AF 0A"), 1, "Skipped:\tEUC already exists.", "Converted:\tEUC", true},
    {"surrogate", Bytes("ED A0 80 0A"), 0, "Skipped:\tShift-JIS code already exists.",
     "Converted:\tShift-JIS", true},
    {"cut-short", Bytes("E0 A1"), 0, "Skipped:\tCannot identify KANJI code.",
     "Converted:\tShift-JIS", true},
    {"late", std::string(32768, 'a') + Bytes("C3 A9 0A"), 1, "Skipped:\tNo KANJI code exists.",
     "Converted:\tAscii", true},
    {"gaiji-euc", Bytes("88 9F F0 40 0A"), 1, kCannotHold, kCannotHold, false},
    {"gaiji-jis", Bytes("'a' 88 9F F9 FC 0A"), 2, kCannotHold, kCannotHold, false},
    // Far enough in that converted text has been written out before it.
    {"gaiji-late", Repeated(Bytes("88 9F"), 40000) + Bytes("F0 40"), 1, kCannotHold, kCannotHold,
     false},
    {"supplementary-sjis", Bytes("B0 F0 8F B0 A1 0A"), 0, kCannotHold, kCannotHold, false},
    {"supplementary-jis", Repeated(Bytes("B0 F0"), 20000) + Bytes("8F B0 A1 0A"), 2, kCannotHold,
     kCannotHold, false},
};

class FaithfulTextTest : public testing::ConversionFixture {
 protected:
  // A new start with this output code.
  std::unique_ptr<testing::ConversionRig> StartOver(std::uint8_t outputCode) {
    auto rig = std::make_unique<testing::ConversionRig>(dir_.Path() + "/");
    rig->settings.OutputKanjiCode = outputCode;
    return rig;
  }
};

TEST_F(FaithfulTextTest, OverTheFileLeavesWhatItCannotConvertAsItWas) {
  for (const auto& c : kCases) {
    WriteFile(Path(c.name), c.content);
    for (const std::uint8_t way : {0, 1}) {
      const auto rig = StartOver(c.outputCode);
      rig->settings.WayToOverwrite = way;
      const FileEntry& entry = rig->Convert(Path(c.name));
      EXPECT_TRUE(rig->host.messages.empty()) << c.name;
      const bool cannotHold = std::string(c.inPlace) == kCannotHold;
      EXPECT_EQ(rig->host.CallsStartingWith("note ").size(), cannotHold ? 1u : 0u) << c.name;
      const std::string status = StatusColumns(entry, ListId::Input);
      EXPECT_EQ(status, c.inPlace) << c.name;
      EXPECT_TRUE(ReadFile(Path(c.name)) == c.content) << c.name << ": the source changed";
      if (status == kCannotHold) {
        EXPECT_EQ(entry.Bitmap, FileImage::UnknownFileImage) << c.name;
      }
    }
    EXPECT_EQ(FolderContent(), std::set<std::string>{c.name}) << c.name << ": a file was left";
    ::unlink(Path(c.name).c_str());
  }
}

TEST_F(FaithfulTextTest, UTF8IntoUTF8IsSkippedUnlessItsNewlinesChange) {
  const struct {
    engine::NewlineCode newlines;
    bool force;
    const char* status;
    const char* content;
  } cases[] = {
      {engine::NewlineCode::DontCare, false, "Skipped:\tUTF-8 already exists.", "E3 81 82 0A"},
      {engine::NewlineCode::LF, false, "Skipped:\tUTF-8 already exists.", "E3 81 82 0A"},
      {engine::NewlineCode::CRLF, false, "Converted:\tUTF-8", "E3 81 82 0D 0A"},
      {engine::NewlineCode::LF, true, "Converted:\tUTF-8", "E3 81 82 0A"},
  };
  for (const auto& c : cases) {
    const auto rig = StartOver(engine::kOutputUTF8);
    rig->settings.OutputNewlineCode = c.newlines;
    rig->settings.ForceNewlineConv = c.force;
    WriteFile(Path("notes"), Bytes("E3 81 82 0A"));
    const FileEntry& entry = rig->Convert(Path("notes"));
    EXPECT_EQ(StatusColumns(entry, ListId::Input), c.status);
    EXPECT_EQ(entry.Bitmap, FileImage::UTF8FileImage);
    EXPECT_EQ(Notation(ReadFile(Path("notes"))), c.content);
  }
}

TEST_F(FaithfulTextTest, IntoTheOutputFileTakesOnlyWhatItCanConvertAndGoesOn) {
  for (const auto& c : kCases) {
    const auto rig = StartOver(c.outputCode);
    ::unlink(Path("out").c_str());
    WriteFile(Path("first"), "first\n");
    WriteFile(Path(c.name), c.content);
    WriteFile(Path("last"), "last\n");
    rig->OutputTo(Path("out"));
    rig->Add(Path("first"));
    const FileEntry& entry = rig->Add(Path(c.name));
    const FileEntry& last = rig->Add(Path("last"));
    rig->ConvertList();
    EXPECT_TRUE(rig->host.messages.empty()) << c.name;
    EXPECT_EQ(StatusColumns(entry, ListId::Input), c.intoOutput) << c.name;
    EXPECT_EQ(StatusColumns(last, ListId::Input), "Converted:\tAscii") << c.name;
    const std::string expected = "first\n" + (c.takenIntoOutput ? c.content : "") + "last\n";
    EXPECT_TRUE(ReadFile(Path("out")) == expected) << c.name;
    EXPECT_TRUE(ReadFile(Path(c.name)) == c.content) << c.name;
    // A file left out does not fix the output file's code.
    if (!c.takenIntoOutput) {
      EXPECT_EQ(rig->files.Output()->Code, kNoKanjiWritten) << c.name;
    }
    EXPECT_EQ(FolderContent(), (std::set<std::string>{"first", c.name, "last", "out"})) << c.name;
    ::unlink(Path(c.name).c_str());
  }
}

TEST_F(FaithfulTextTest, ACtrlZCutIsOnlyEverInTheFilesOwnText) {
  settings_.InputKanjiCode = 2;
  settings_.RemoveCtrlZ = true;
  WriteFile(Path("a"), Bytes("B0 A1 1A 1A"));
  WriteFile(Path("b"), Bytes("8E"));  // a prefix cut off: nothing is written for it
  OutputTo(Path("out"));
  Add(Path("a"));
  Add(Path("b"));
  ConvertList();
  EXPECT_EQ(Notation(ReadFile(Path("out"))), "88 9F 1A");
}

}  // namespace
}  // namespace mxt::fileconv
