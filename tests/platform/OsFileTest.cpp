#include "platform/OsFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/InOutError.h"

namespace mxt::platform {
namespace {

class OsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/mxt-osfile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string dir_;
};

int ErrorCodeOf(void (*operation)()) {
  try {
    operation();
  } catch (const EInOutError& error) {
    return error.Code();
  }
  return 0;
}

TEST_F(OsFileTest, WritesSeeksAndTruncates) {
  OsFile file = OsFile::Create(dir_ + "/a");
  file.WriteBlock("hello world", 11);
  EXPECT_EQ(file.Size(), 11);
  file.Seek(5);
  file.Truncate();
  EXPECT_EQ(file.Size(), 5);
  file.Seek(0);
  char text[8] = {};
  EXPECT_EQ(file.ReadBlock(text, sizeof text), 5u);
  EXPECT_STREQ(text, "hello");
  EXPECT_EQ(file.ReadBlock(text, sizeof text), 0u);
}

TEST_F(OsFileTest, CreateEmptiesAnExistingFile) {
  OsFile::Create(dir_ + "/a").WriteBlock("abc", 3);
  EXPECT_EQ(OsFile::Create(dir_ + "/a").Size(), 0);
}

TEST_F(OsFileTest, FailuresCarryTheSystemsErrorCode) {
  EXPECT_EQ(ErrorCodeOf([] { OsFile::Create("/dev/full").WriteBlock("x", 1); }), ENOSPC);
  EXPECT_EQ(ErrorCodeOf([] {
              char byte;
              OsFile::OpenForReading("/").ReadBlock(&byte, 1);
            }),
            EISDIR);
  EXPECT_EQ(ErrorCodeOf([] { OsFile::OpenForReading("/nonexistent/mxt"); }), ENOENT);
}

TEST(InOutErrorTest, ShowsTheCodeInItsMessage) {
  EXPECT_STREQ(EInOutError(5).what(), "I/O ｴﾗｰ (5)");
}

}  // namespace
}  // namespace mxt::platform
