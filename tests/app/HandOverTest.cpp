#include "app/HandOver.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/DragDropError.h"
#include "app/DropBlock.h"
#include "app/HandOverChannel.h"
#include "tests/support/Bytes.h"

namespace mxt::app {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> Block(const std::string& bytes) {
  return {bytes.begin(), bytes.end()};
}

TEST(DropBlockTest, HoldsTheHeaderAndTheNamesEachEndedAndTheListEnded) {
  DropBlock block = MakeDropBlock(3, 4, true);
  EXPECT_EQ(block.size(), 21u);
  ASSERT_TRUE(AppendDropName(block, "/a"));
  ASSERT_TRUE(AppendDropName(block, "/bc"));
  EXPECT_EQ(std::string(block.begin(), block.end()),
            Bytes("14 00 00 00 03 00 00 00 04 00 00 00 01 00 00 00 00 00 00 00 "
                  "'/a' 00 '/bc' 00 00"));
  EXPECT_EQ(ReadDropBlock(block), (std::vector<std::string>{"/a", "/bc"}));
}

TEST(DropBlockTest, ABlockNeverPassesItsLimitAndManyNamesGoInSeveralInOrder) {
  DropBlock block = MakeDropBlock(0, 0, true);
  EXPECT_FALSE(AppendDropName(block, "/" + std::string(kDropBlockLimit, 'x')));
  EXPECT_EQ(block.size(), 21u) << "a refused name leaves the block as it was";
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i)
    names.push_back("/" + std::string(200, 'a' + i % 26) + std::to_string(i));
  const std::vector<DropBlock> blocks = MakeDropBlocks(names);
  ASSERT_GT(blocks.size(), 5u);
  std::vector<std::string> read;
  for (const DropBlock& each : blocks) {
    EXPECT_LE(each.size(), kDropBlockLimit);
    const auto part = ReadDropBlock(each);
    ASSERT_TRUE(part.has_value());
    read.insert(read.end(), part->begin(), part->end());
  }
  EXPECT_EQ(read, names);
  EXPECT_THROW(MakeDropBlocks({"/" + std::string(kDropBlockLimit, 'x')}), DragDropError);
}

// A block that comes over the channel is checked whole before a name is read.
TEST(DropBlockTest, RefusesEveryMalformedBlock) {
  const std::string header = Bytes("14 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00");
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"short", Bytes("14 00 00")},
      {"header only", header},
      {"no final zero", header + "/a" + std::string(1, '\0')},
      {"name not ended", header + "/a"},
      {"relative name", header + "a.txt" + std::string(2, '\0')},
      {"offset past the end",
       Bytes("FF 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00")},
      {"offset inside the header",
       Bytes("04 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00")},
      {"wide characters", Bytes("14 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 01 00 00 00 00")},
      {"too long", header + std::string(kDropBlockLimit, '\0')},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(ReadDropBlock(Block(c.bytes)).has_value()) << c.what;
  EXPECT_EQ(ReadDropBlock(Block(header + std::string(1, '\0'))), std::vector<std::string>{});
  std::mt19937 random(5);
  std::string garbage(4096, '\0');
  for (int round = 0; round < 200; ++round) {
    for (char& c : garbage)
      c = static_cast<char>(random());
    const auto names = ReadDropBlock(Block(header + garbage));
    if (names) {
      for (const std::string& name : *names)
        EXPECT_EQ(name.front(), '/');
    }
  }
}

TEST(FrameReaderTest, GivesWholeFramesHoweverTheBytesArrive) {
  const std::vector<std::uint8_t> payload = {1, 2, 3};
  std::vector<std::uint8_t> stream = EncodeFrame(HandOverMessage::StateQuery);
  const std::vector<std::uint8_t> drop = EncodeFrame(HandOverMessage::DropFiles, payload);
  stream.insert(stream.end(), drop.begin(), drop.end());
  FrameReader reader;
  std::vector<HandOverFrame> frames;
  for (const std::uint8_t byte : stream) {
    reader.Feed(std::span(&byte, 1));
    while (auto frame = reader.Next())
      frames.push_back(std::move(*frame));
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].type, HandOverMessage::StateQuery);
  EXPECT_TRUE(frames[0].payload.empty());
  EXPECT_EQ(frames[1].type, HandOverMessage::DropFiles);
  EXPECT_EQ(frames[1].payload, payload);
  EXPECT_FALSE(reader.Refused());
}

TEST(FrameReaderTest, RefusesAConnectionThatSendsRubbish) {
  const std::vector<std::vector<std::uint8_t>> rubbish = {
      {0, 0, 0, 0, 0},                                                      // no such message
      {99, 1, 0, 0, 0, 7},                                                  // nor this one
      {static_cast<std::uint8_t>(HandOverMessage::DropFiles), 0, 0, 1, 0},  // 64 KB payload
      std::vector<std::uint8_t>(10 << 20, 0xA5),
  };
  for (const auto& bytes : rubbish) {
    FrameReader reader;
    reader.Feed(bytes);
    EXPECT_FALSE(reader.Next().has_value());
    EXPECT_TRUE(reader.Refused());
    reader.Feed(EncodeFrame(HandOverMessage::StateQuery));
    EXPECT_FALSE(reader.Next().has_value()) << "a refused connection stays refused";
  }
}

TEST(HandOverTest, OnlyAStartWithoutOptionsThatDoesNotConvertHandsOver) {
  EXPECT_TRUE(ShouldHandOver({}, false));
  EXPECT_TRUE(ShouldHandOver({"a.txt", "b.txt"}, false));
  EXPECT_FALSE(ShouldHandOver({"a.txt", "b.txt"}, true));
  EXPECT_FALSE(ShouldHandOver({"/E", "a.txt"}, false));
  EXPECT_FALSE(ShouldHandOver({"a.txt", "-b"}, false));
  EXPECT_TRUE(ShouldHandOver({"/home/a.txt"}, false)) << "an absolute path is no option";
  EXPECT_TRUE(ShouldHandOver({"a.txt", "--", "-b", "-"}, false)) << "files after --";
  EXPECT_FALSE(ShouldHandOver({"-"}, false)) << "standard input";
}

TEST(HandOverTest, TheStepsFollowTheRunningWindowsState) {
  using M = HandOverMessage;
  const struct {
    InstanceState state;
    bool warn;
    std::vector<M> messages;
    bool send;
  } cases[] = {
      {{true, true, false, false}, false, {M::BringToFront}, true},
      {{true, true, true, false}, false, {M::Restore, M::BringToFront}, true},
      {{true, true, false, true}, false, {M::Restore, M::BringToFront}, true},
      {{false, true, false, false}, true, {M::BringToFront}, false},  // a run goes on
      {{true, false, false, false}, true, {M::BringToFront}, false},  // a dialog is open
      {{false, false, true, false}, true, {M::BringToFront}, false},
  };
  for (const auto& c : cases) {
    const HandOverSteps steps = StepsFor(c.state);
    EXPECT_EQ(steps.warnBusy, c.warn);
    EXPECT_EQ(steps.messages, c.messages);
    EXPECT_EQ(steps.sendFiles, c.send);
  }
}

}  // namespace
}  // namespace mxt::app
