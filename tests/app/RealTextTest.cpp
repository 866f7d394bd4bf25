// Real Japanese text: the manual pages of Debian's manpages-ja, in UTF-8 as shipped and
// in Shift-JIS, EUC and JIS as iconv writes them, through the built program.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Iconv.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using testing::Iconv;
using testing::ReadFile;
using testing::WriteFile;

constexpr char kManualPages[] = "/usr/share/man/ja";
constexpr std::size_t kFirstBlock = 32768;

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') names.push_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// What a run reported, by the file's name.
std::map<std::string, std::string> StatusByName(const std::string& report) {
  std::map<std::string, std::string> status;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = report.substr(start, end - start);
    const std::size_t tab = line.find('\t');
    const std::string path = line.substr(0, tab);
    status[path.substr(path.rfind('/') + 1)] = line.substr(tab + 1);
  }
  return status;
}

bool HasKanjiEarly(const std::string& text) {
  const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(text.size(), kFirstBlock));
  return std::any_of(text.begin(), end, [](char c) { return c & 0x80; });
}

class RealTextTest : public ::testing::Test {
 protected:
  // The pages are unpacked once for all tests.
  static void SetUpTestSuite() {
    struct stat info;
    if (::stat(kManualPages, &info) != 0) return;
    dir_ = std::make_unique<testing::TempDir>();
    Run(std::string("mkdir pages && n=0 && for f in $(find ") + kManualPages +
        " -type f -name '*.gz' | sort); do n=$((n+1)); gzip -dc \"$f\" >pages/p$n; done");
    for (const std::string& name : NamesIn(*dir_ / "pages"))
      pages_[name] = ReadFile(*dir_ / "pages/" + name);
  }
  static void TearDownTestSuite() {
    pages_.clear();
    dir_.reset();
  }

  void SetUp() override {
    if (!dir_) GTEST_SKIP() << "manpages-ja is not installed";
    ASSERT_GT(pages_.size(), 500u);
  }

  static testing::Outcome Run(const std::string& commands) {
    return testing::RunProgram(MXT_EXECUTABLE, *dir_, commands);
  }

  // Converts a copy of `folder` in place; the report by file name.
  static std::map<std::string, std::string> ConvertCopy(const std::string& folder,
                                                        const std::string& options) {
    const testing::Outcome outcome =
        Run("rm -rf work && cp -r " + folder + " work && mxt /B " + options + " 'work/*'");
    EXPECT_EQ(outcome.exitCode, 0) << options << ": " << outcome.err;
    return StatusByName(outcome.out);
  }

  inline static std::unique_ptr<testing::TempDir> dir_;
  inline static std::map<std::string, std::string> pages_;
};

// The look-alikes JIS (Unix) text has, as the Windows characters iconv's CP932 knows.
std::string AsWindowsLookAlikes(std::string text) {
  const std::pair<const char*, const char*> lookAlikes[] = {
      {"\u301C", "\uFF5E"}, {"\u2016", "\u2225"}, {"\u2212", "\uFF0D"}, {"\u00A2", "\uFFE0"},
      {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"}, {"\u2014", "\u2015"},
  };
  for (const auto& [jisForm, windowsForm] : lookAlikes) {
    for (std::size_t at; (at = text.find(jisForm)) != std::string::npos;)
      text.replace(at, std::string(jisForm).size(), windowsForm);
  }
  return text;
}

// Into UTF-8 the same pages stay as they are.
TEST_F(RealTextTest, UTF8PagesGoIntoShiftJISAsIconvWritesThemOrStayAndStayIntoUTF8) {
  std::vector<std::string> utf8Pages;
  for (const auto& [name, text] : pages_) {
    if (HasKanjiEarly(text) && Iconv(text, "UTF-8", "UTF-8")) utf8Pages.push_back(name);
  }
  ASSERT_GT(utf8Pages.size(), 500u);
  auto status = ConvertCopy("pages", "/S");
  std::size_t converted = 0;
  for (const std::string& name : utf8Pages) {
    const std::string& text = pages_.at(name);
    const auto windows = Iconv(AsWindowsLookAlikes(text), "UTF-8", "CP932");
    // glibc's CP932 writes U+00A5 as 5C, which stands for the backslash here.
    const bool yen = text.find("\u00A5") != std::string::npos;
    if (windows && !yen) {
      ++converted;
      ASSERT_EQ(status.at(name), "Converted:\tUTF-8 to Shift-JIS") << name;
      ASSERT_TRUE(ReadFile(*dir_ / "work/" + name) == *windows) << name << " differs from iconv";
    } else {
      ASSERT_EQ(status.at(name), "Skipped:\tHas characters the output code cannot hold.") << name;
      ASSERT_TRUE(ReadFile(*dir_ / "work/" + name) == text) << name << " changed";
    }
  }
  EXPECT_GT(converted, 500u);
  std::printf("%zu pages converted as iconv -t CP932 converts them, %zu left alone\n", converted,
              utf8Pages.size() - converted);
  status = ConvertCopy("pages", "/W");
  for (const std::string& name : utf8Pages) {
    ASSERT_EQ(status.at(name), "Skipped:\tUTF-8 already exists.") << name;
    ASSERT_TRUE(ReadFile(*dir_ / "work/" + name) == pages_.at(name)) << name << " changed";
  }
}

TEST_F(RealTextTest, TheSamePagesInKanjiCodesConvertAsIconvConvertsThem) {
  const struct Code {
    const char* folder;
    const char* iconvName;
    const char* option;  // JIS as iconv writes it: ESC $B and ESC (B
  } codes[] = {{"sjis", "SHIFT_JIS", "/S"}, {"euc", "EUC-JP", "/E"}, {"jis", "ISO-2022-JP", "/BJ"}};
  Run("mkdir sjis euc jis");
  std::size_t written = 0;
  for (const auto& [name, text] : pages_) {
    const auto euc = Iconv(text, "UTF-8", "EUC-JP");
    if (!euc || !HasKanjiEarly(*euc)) continue;
    const auto sjis = Iconv(*euc, "EUC-JP", "SHIFT_JIS");
    const auto jis = Iconv(*euc, "EUC-JP", "ISO-2022-JP");
    if (!sjis || !jis) continue;
    WriteFile(*dir_ / "sjis/" + name, *sjis);
    WriteFile(*dir_ / "euc/" + name, *euc);
    WriteFile(*dir_ / "jis/" + name, *jis);
    ++written;
  }
  ASSERT_GT(written, 500u);
  for (const Code& from : codes) {
    for (const Code& to : codes) {
      if (&from == &to) continue;
      const auto status = ConvertCopy(from.folder, to.option);
      for (const std::string& name : NamesIn(*dir_ / from.folder)) {
        ASSERT_EQ(status.at(name).rfind("Converted:", 0), 0u)
            << from.folder << " to " << to.folder << " " << name << ": " << status.at(name);
        ASSERT_TRUE(ReadFile(*dir_ / "work/" + name) == ReadFile(*dir_ / to.folder + "/" + name))
            << from.folder << " to " << to.folder << ": " << name << " differs from iconv";
      }
    }
  }
}

}  // namespace
}  // namespace mxt::app
