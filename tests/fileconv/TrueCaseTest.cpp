#include "fileconv/TrueCase.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/TempDir.h"

namespace mxt::fileconv {
namespace {

using platform::FindData;

// A Windows volume: long names and their 8.3 forms, looked up without regard to case.
class FakeVolume {
 public:
  void Add(const std::string& path, const std::string& longName, const std::string& shortName) {
    entries_[LowerAscii(path, kShiftJisFileNames)] = {longName, shortName};
  }
  NameFinder Finder() const {
    return [this](const std::string& path) -> std::optional<FindData> {
      const auto found = entries_.find(LowerAscii(path, kShiftJisFileNames));
      if (found == entries_.end()) return std::nullopt;
      FindData data;
      data.name = found->second.first;
      data.alternateName = found->second.second;
      return data;
    };
  }

 private:
  std::map<std::string, std::pair<std::string, std::string>> entries_;
};

class TrueCaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    volume_.Add("d:\\progra~1", "Program Files", "PROGRA~1");
    volume_.Add("d:\\progra~1\\readme.txt", "README.TXT", "");
    volume_.Add("d:\\progra~1\\mixed.txt", "ReadMe.TXT", "");
    volume_.Add("d:\\progra~1\\longfi~1.txt", "LONGFILENAME.TXT", "LONGFI~1.TXT");
    volume_.Add("\\\\srv\\docs\\a.txt", "A.TXT", "");
    volume_.Add("d:\\.", ".", "");
  }
  FakeVolume volume_;
};

// Only all-upper names without a long form are recased; a missing file keeps its name
// under the true folders.
TEST_F(TrueCaseTest, RebuildsThePathFromTheNamesOnDisk) {
  const struct {
    const char* path;
    const char* truePath;
    const char* diskName;
  } cases[] = {
      {"d:\\progra~1\\readme.txt", "D:\\Program Files\\Readme.txt", "README.TXT"},
      {"\\\\srv\\docs\\a.txt", "\\\\srv\\docs\\A.txt", "A.TXT"},
      {"D:\\PROGRA~1\\MIXED.TXT", "D:\\Program Files\\ReadMe.TXT", ""},
      {"d:\\progra~1\\longfi~1.txt", "D:\\Program Files\\LONGFILENAME.TXT", ""},
      {"d:\\progra~1\\new.txt", "D:\\Program Files\\new.txt", ""},
      {"d:\\nowhere\\new.txt", "D:\\nowhere\\new.txt", ""},
      {"new.txt", "new.txt", ""},
      {"\\new.txt", "\\new.txt", ""},
  };
  for (const auto& c : cases) {
    const CasedPath found = TrueCasePath(c.path, volume_.Finder(), kShiftJisFileNames);
    EXPECT_EQ(found.path, c.truePath) << c.path;
    EXPECT_EQ(found.diskName, c.diskName) << c.path;
  }
}

TEST_F(TrueCaseTest, RootsAndShareRootsHaveNoNameOfTheirOwn) {
  const NameFinder finder = volume_.Finder();
  EXPECT_EQ(TrueCaseName("d:\\", finder, kShiftJisFileNames), "");
  EXPECT_EQ(TrueCaseName("d:\\.", finder, kShiftJisFileNames), "");
  // Even a finder that knows the share root is not asked.
  const NameFinder everything = [](const std::string&) {
    FindData data;
    data.name = "docs";
    return std::optional<FindData>(data);
  };
  EXPECT_EQ(TrueCaseName("\\\\srv\\docs", everything, kShiftJisFileNames), "");
}

TEST(TrueCaseOnPosixTest, NamesStayAsStored) {
  mxt::testing::TempDir dir;
  mxt::testing::WriteFile(dir / "README.TXT", "x");
  EXPECT_EQ(TrueCaseName(dir / "README.TXT"), "README.TXT");
  EXPECT_EQ(TrueCasePath(dir / "README.TXT").path, dir / "README.TXT");
  EXPECT_EQ(TrueCasePath(dir / "missing.txt").path, dir / "missing.txt");
}

}  // namespace
}  // namespace mxt::fileconv
