#include "app/Settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "app/IniStore.h"
#include "app/ProfileText.h"
#include "engine/EscapeSequence.h"
#include "fileconv/UserError.h"
#include "platform/CurrentDirectory.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using mxt::testing::ReadFile;
using mxt::testing::ScopedEnv;
using mxt::testing::TempDir;
using mxt::testing::WriteFile;
using State = SettingsWindow::WindowState;

constexpr std::uint8_t kSystemStyle = 2;
constexpr Bounds kBuiltIn{100, 50, 500, 400};

class FakeWindow final : public SettingsWindow {
 public:
  WindowState State() const override { return state; }
  Bounds CurrentBounds() const override { return current; }
  Bounds NormalBounds() const override { return normal; }
  void SetNormalBounds(const Bounds& bounds) override {
    normal = bounds;
    if (state == WindowState::Normal) current = bounds;
  }
  void SetBounds(const Bounds& bounds) override {
    current = bounds;
    if (state == WindowState::Normal) normal = bounds;
  }
  void Maximize() override { state = WindowState::Maximized; }
  std::optional<Rect> WorkArea() const override { return workArea; }
  Rect Screen() const override { return {0, 0, 1280, 1024}; }
  bool HasScreenFont(const std::string& face) const override { return fonts.count(face) > 0; }
  FontChoice DefaultListFont() const override { return {"DejaVu Sans", 9}; }

  WindowState state = WindowState::Normal;
  Bounds current = kBuiltIn;
  Bounds normal = kBuiltIn;
  std::optional<Rect> workArea = Rect{0, 0, 1920, 1040};
  std::set<std::string> fonts{"DejaVu Sans", "Noto Sans CJK JP"};
};

// A store that fails at one value, as an unreadable registry value would.
class FailingStore final : public SettingsStore {
 public:
  FailingStore(SettingsStore& store, std::string_view failAt) : store_(store), failAt_(failAt) {}
  std::optional<std::string> ReadString(std::string_view group, std::string_view name) override {
    if (name == failAt_) throw fileconv::UserError("read " + failAt_);
    return store_.ReadString(group, name);
  }
  void WriteString(std::string_view group, std::string_view name, std::string_view value) override {
    if (name == failAt_) throw fileconv::UserError("write " + failAt_);
    store_.WriteString(group, name, value);
  }

 private:
  SettingsStore& store_;
  std::string failAt_;
};

// Keeps values as given, blanks included, as the registry does.
class MemoryStore final : public SettingsStore {
 public:
  std::optional<std::string> ReadString(std::string_view group, std::string_view name) override {
    const auto found = values_.find({std::string(group), std::string(name)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  void WriteString(std::string_view group, std::string_view name, std::string_view value) override {
    values_[{std::string(group), std::string(name)}] = std::string(value);
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    Settings.GUIStyle = kSystemStyle;
  }
  void TearDown() override { ResetSettings(); }

  IniStore Store() { return IniStore(path_, IniStore::Form::BesideProgram); }
  void Load(const std::string& content) {
    WriteFile(path_, content);
    IniStore store = Store();
    LoadSettings(window_, store);
  }
  std::optional<std::string> Stored(std::string_view group, std::string_view name) {
    return ProfileValue(ReadFile(path_), group, name);
  }

  TempDir dir_;
  ScopedEnv tmp_{"TMPDIR", dir_.Path().c_str()};
  std::string path_ = dir_ / "MXT.INI";
  FakeWindow window_;
};

TEST_F(SettingsTest, AnEmptyPerUserStoreGivesEveryDefaultAndMakesItsFolder) {
  ScopedEnv config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  LoadSettings(window_, *OpenSettingsStore(false));
  EXPECT_EQ(::access((dir_ / "config/MXT").c_str(), F_OK), 0);
  EXPECT_EQ(Settings.ViewerPath, "xdg-open");
  EXPECT_EQ(Settings.TempDir, dir_.Path() + "/");
  EXPECT_EQ(Settings.GUIStyle, kSystemStyle);
  EXPECT_EQ(Settings.OutputKanjiCode, 0);
  EXPECT_EQ(Settings.OutputNewlineCode, engine::NewlineCode::DontCare);
  EXPECT_EQ(Settings.FontName, "");
  EXPECT_EQ(Settings.FontSize, 0);
  EXPECT_EQ(Settings.LastDir, "");
  EXPECT_FALSE(Settings.ConvWhenExecuted);
  EXPECT_EQ(window_.current, kBuiltIn);
  EXPECT_EQ(window_.state, State::Normal);
}

TEST_F(SettingsTest, StoredNumbersAreReadAndOutOfRangeOnesBecomeZero) {
  const struct {
    std::string_view group, name, text;
    std::function<int()> field;
    int expected;
  } cases[] = {
      {"Options", "OutputKanjiCode", "3", [] { return Settings.OutputKanjiCode; }, 0},
      {"Options", "OutputKanjiCode", "2", [] { return Settings.OutputKanjiCode; }, 2},
      {"Options", "EscapeSequence", "0x2", [] { return int(Settings.EscapeSequence); }, 2},
      {"Options", "OutputNewlineCode", "$3", [] { return int(Settings.OutputNewlineCode); }, 3},
      {"Options", "InputKanjiCode", "3", [] { return Settings.InputKanjiCode; }, 3},
      {"Options", "InputKanjiCode", "-1", [] { return Settings.InputKanjiCode; }, 0},
      {"Options", "WayToOverwrite", "2", [] { return Settings.WayToOverwrite; }, 0},
      {"Options", "7BitMode", "1", [] { return int(Settings.SevenBitMode); }, 1},
      {"Options", "ConvWhenDropped", "yes", [] { return int(Settings.ConvWhenDropped); }, 0},
      {"Options", "ForceNewlineConv", "1", [] { return int(Settings.ForceNewlineConv); }, 1},
      {"MainWindow", "FontSize", "-12", [] { return Settings.FontSize; }, 12},
      {"MainWindow", "FontSize", "200", [] { return Settings.FontSize; }, 0},
      {"MainWindow", "FontSize", "127", [] { return Settings.FontSize; }, 127},
      {"MainWindow", "FontSize", "-2147483648", [] { return Settings.FontSize; }, 0},
      {"Options", "GUIStyle", "0", [] { return Settings.GUIStyle; }, kSystemStyle},
      {"Options", "GUIStyle", "7", [] { return Settings.GUIStyle; }, kSystemStyle},
      {"Options", "GUIStyle", "1", [] { return Settings.GUIStyle; }, 1},
  };
  for (const auto& c : cases) {
    SetUp();
    Load("[" + std::string(c.group) + "]\n" + std::string(c.name) + "=" + std::string(c.text));
    EXPECT_EQ(c.field(), c.expected) << c.name << "=" << c.text;
  }
}

TEST_F(SettingsTest, TheTempDirLosesItsBlanksAndEndsInOneSlash) {
  const struct {
    std::string stored, loaded;
  } cases[] = {{"  /data/tmp  ", "/data/tmp/"}, {"   ", ""}, {"/data/tmp/", "/data/tmp/"}};
  for (const auto& c : cases) {
    MemoryStore store;
    store.WriteString("Options", "TempDir", c.stored);
    LoadSettings(window_, store);
    EXPECT_EQ(Settings.TempDir, c.loaded) << "'" << c.stored << "'";
  }
}

TEST_F(SettingsTest, AFontThatIsNotInstalledFallsBackToTheDefault) {
  Load("[MainWindow]\nFontName=Noto Sans CJK JP\nFontSize=10\n");
  EXPECT_EQ(Settings.FontName, "Noto Sans CJK JP");
  Load("[MainWindow]\nFontName=ＭＳ Ｐゴシック\nFontSize=10\n");
  EXPECT_EQ(Settings.FontName, "");
  EXPECT_EQ(Settings.FontSize, 10);
}

TEST_F(SettingsTest, AWindowOffTheWorkAreaKeepsOnePixelInside) {
  const struct {
    Bounds stored;
    std::optional<Rect> work;
    Bounds placed;
  } cases[] = {
      {{5000, 10, 300, 200}, Rect{0, 0, 1920, 1040}, {1919, 10, 300, 200}},
      {{-1000, 10, 300, 200}, Rect{0, 0, 1920, 1040}, {-299, 10, 300, 200}},
      {{10, 3000, 300, 200}, Rect{0, 0, 1920, 1040}, {10, 1039, 300, 200}},
      {{10, -900, 300, 200}, Rect{0, 40, 1920, 1080}, {10, -159, 300, 200}},
      {{5000, 10, 300, 200}, std::nullopt, {1279, 10, 300, 200}},  // the screen, then
      {{10, 10, -5, -5}, Rect{0, 0, 1920, 1040}, {10, 10, 0, 0}},
      {{2147483647, 10, 2147483647, 1}, Rect{0, 0, 1920, 1040}, {1919, 10, 2147483647, 1}},
  };
  for (const auto& c : cases) {
    window_ = FakeWindow();
    window_.workArea = c.work;
    Load("[MainWindow]\nPosX=" + std::to_string(c.stored.left) +
         "\nPosY=" + std::to_string(c.stored.top) + "\nWidth=" + std::to_string(c.stored.width) +
         "\nHeight=" + std::to_string(c.stored.height) + "\n");
    EXPECT_EQ(window_.current, c.placed) << c.stored.left << "," << c.stored.top;
  }
}

TEST_F(SettingsTest, AMaximizedWindowStoresItsRestoredRectangleAndStartsMaximized) {
  window_.state = State::Maximized;
  window_.normal = {10, 20, 300, 200};
  window_.current = {0, 0, 1920, 1040};
  {
    IniStore store = Store();
    SaveSettings(window_, store);
  }
  EXPECT_EQ(Stored("MainWindow", "State"), "1");
  EXPECT_EQ(Stored("MainWindow", "Width"), "300");
  window_ = FakeWindow();
  IniStore store = Store();
  LoadSettings(window_, store);
  EXPECT_EQ(window_.state, State::Maximized);
  EXPECT_EQ(window_.normal, (Bounds{10, 20, 300, 200}));
}

TEST_F(SettingsTest, TheDefaultFontIsStoredAsEmptyTexts) {
  Settings.FontName = "DejaVu Sans";
  Settings.FontSize = 9;
  {
    IniStore store = Store();
    SaveSettings(window_, store);
  }
  EXPECT_EQ(Stored("MainWindow", "FontName"), "");
  EXPECT_EQ(Stored("MainWindow", "FontSize"), "");
  Settings.FontSize = 10;
  IniStore store = Store();
  SaveSettings(window_, store);
  EXPECT_EQ(Stored("MainWindow", "FontName"), "DejaVu Sans");
  EXPECT_EQ(Stored("MainWindow", "FontSize"), "10");
}

TEST_F(SettingsTest, ABatchRunWritesNothing) {
  Settings.BatchMode = true;
  IniStore store = Store();
  SaveSettings(window_, store);
  EXPECT_NE(::access(path_.c_str(), F_OK), 0);
}

void ChangeEveryOption() {
  Settings.InputKanjiCode = 2;
  Settings.OutputKanjiCode = 1;
  Settings.EscapeSequence = engine::EscapeSequenceSet::EscKH;
  Settings.OutputNewlineCode = engine::NewlineCode::CR;
  Settings.SevenBitMode = Settings.RemoveCtrlZ = Settings.PreserveTimestamp = true;
  Settings.WayToOverwrite = 1;
  Settings.ViewerPath = "/usr/bin/less";
  Settings.ViewerCmdLineOption = "-N  -S";
  Settings.ConvWhenExecuted = Settings.ConvWhenSelected = Settings.ConvWhenDropped = true;
  Settings.QuitWhenConverted = Settings.DontShortenFileName = true;
  Settings.FontName = "Noto Sans CJK JP";
  Settings.FontSize = 11;
}

std::vector<std::string> KeysInOrder(const std::string& text) {
  std::vector<std::string> keys;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
    at = end + 1;
  }
  return keys;
}

TEST_F(SettingsTest, EveryStoreGivesBackWhatWasSavedInItsOrder) {
  ScopedEnv config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  WriteFile(path_, "; by hand\n[Options]\nForceNewlineConv=1\nMine=kept\n");
  const std::vector<std::function<std::unique_ptr<SettingsStore>()>> stores = {
      [] { return OpenSettingsStore(false); },
      [this] { return std::make_unique<IniStore>(path_, IniStore::Form::BesideProgram); }};
  for (const auto& open : stores) {
    SetUp();
    ChangeEveryOption();
    Settings.TempDir = "/not/written/";
    window_.normal = window_.current = {30, 40, 640, 480};
    SaveSettings(window_, *open());
    const SettingsRecord saved = Settings;
    SetUp();
    window_ = FakeWindow();
    LoadSettings(window_, *open());
    EXPECT_EQ(Settings.OutputKanjiCode, saved.OutputKanjiCode);
    EXPECT_EQ(Settings.InputKanjiCode, saved.InputKanjiCode);
    EXPECT_EQ(Settings.EscapeSequence, saved.EscapeSequence);
    EXPECT_EQ(Settings.OutputNewlineCode, saved.OutputNewlineCode);
    EXPECT_TRUE(Settings.SevenBitMode && Settings.RemoveCtrlZ && Settings.PreserveTimestamp);
    EXPECT_EQ(Settings.WayToOverwrite, 1);
    EXPECT_EQ(Settings.ViewerPath, saved.ViewerPath);
    EXPECT_EQ(Settings.ViewerCmdLineOption, saved.ViewerCmdLineOption);
    EXPECT_TRUE(Settings.ConvWhenExecuted && Settings.ConvWhenSelected && Settings.ConvWhenDropped);
    EXPECT_TRUE(Settings.QuitWhenConverted && Settings.DontShortenFileName);
    EXPECT_EQ(Settings.FontName, saved.FontName);
    EXPECT_EQ(Settings.FontSize, saved.FontSize);
    EXPECT_EQ(Settings.LastDir, platform::CurrentDirectory());
    EXPECT_EQ(Settings.TempDir, dir_.Path() + "/");
    EXPECT_EQ(window_.normal, (Bounds{30, 40, 640, 480}));
  }
  EXPECT_TRUE(Settings.ForceNewlineConv);  // read from the hand-edited file, never written
  const std::vector<std::string> expected = {"PosX",
                                             "PosY",
                                             "Width",
                                             "Height",
                                             "State",
                                             "LastDir",
                                             "FontName",
                                             "FontSize",
                                             "InputKanjiCode",
                                             "OutputKanjiCode",
                                             "EscapeSequence",
                                             "OutputNewlineCode",
                                             "7BitMode",
                                             "RemoveCtrlZ",
                                             "PreserveTimestamp",
                                             "WayToOverwrite",
                                             "ViewerPath",
                                             "ViewerCmdLineOption",
                                             "ConvWhenExecuted",
                                             "ConvWhenSelected",
                                             "ConvWhenDropped",
                                             "QuitWhenConverted",
                                             "DontShortenFileName"};
  EXPECT_EQ(KeysInOrder(ReadFile(dir_ / "config/MXT/MXT.ini")), expected);
  const std::string edited = ReadFile(path_);
  EXPECT_EQ(edited.rfind("; by hand\n[Options]\nForceNewlineConv=1\nMine=kept\n", 0), 0u) << edited;
}

TEST_F(SettingsTest, AFailedLoadKeepsOnlyWhatTakesEffectAtOnce) {
  WriteFile(path_,
            "[MainWindow]\nPosX=5\nLastDir=/data\n[Options]\nOutputKanjiCode=2\n"
            "ViewerPath=less\nViewerCmdLineOption=-N\n");
  IniStore file = Store();
  FailingStore store(file, "ConvWhenSelected");
  EXPECT_THROW(LoadSettings(window_, store), fileconv::UserError);
  EXPECT_EQ(Settings.LastDir, "/data");
  EXPECT_EQ(Settings.ViewerCmdLineOption, "-N");
  EXPECT_EQ(Settings.ViewerPath, "");
  EXPECT_EQ(Settings.OutputKanjiCode, 0);
  EXPECT_EQ(Settings.GUIStyle, kSystemStyle);
  EXPECT_EQ(window_.current, kBuiltIn);
}

TEST_F(SettingsTest, AFailedSaveStopsAtTheValueThatFailed) {
  IniStore file = Store();
  FailingStore store(file, "ViewerPath");
  EXPECT_THROW(SaveSettings(window_, store), fileconv::UserError);
  EXPECT_EQ(Stored("Options", "WayToOverwrite"), "0");
  EXPECT_EQ(Stored("Options", "ViewerCmdLineOption"), std::nullopt);
}

class FakeHost final : public RestoreDefaultsHost {
 public:
  bool Confirm(std::string_view question) override {
    calls.push_back(std::string(question));
    return answer;
  }
  void ShowOutputCodes() override {
    calls.push_back("codes " + std::to_string(Settings.OutputKanjiCode) + " " +
                    std::to_string(int(Settings.OutputNewlineCode)));
  }
  void SwitchToOverwrite() override { calls.push_back("overwrite"); }
  void ClearFileList() override { calls.push_back("clear"); }

  bool answer = true;
  std::vector<std::string> calls;
};

TEST_F(SettingsTest, RestoringTheDefaultsAsksFirstAndKeepsTheHandSetValues) {
  ChangeEveryOption();
  Settings.ForceNewlineConv = true;
  Settings.TempDir = "/t/";
  Settings.LastDir = "/data";
  Settings.GUIStyle = 1;
  FakeHost host;
  host.answer = false;
  RestoreDefaults(host);
  EXPECT_EQ(Settings.OutputKanjiCode, 1);
  host.answer = true;
  host.calls.clear();
  engine::SelectEscapeSequenceSet(Settings.EscapeSequence);
  RestoreDefaults(host);
  EXPECT_EQ(engine::KanjiInSequence.second, 'B') << "JIS still written with the old escapes";
  EXPECT_EQ(engine::KanjiOutSequence.first, '(');
  EXPECT_EQ(host.calls, (std::vector<std::string>{"すべての設定をデフォルト値に戻しますか ?",
                                                  "codes 0 0", "overwrite", "clear"}));
  EXPECT_EQ(Settings.InputKanjiCode, 0);
  EXPECT_EQ(Settings.EscapeSequence, engine::EscapeSequenceSet::EscBJ);
  EXPECT_FALSE(Settings.SevenBitMode || Settings.RemoveCtrlZ || Settings.PreserveTimestamp);
  EXPECT_EQ(Settings.WayToOverwrite, 0);
  EXPECT_EQ(Settings.ViewerPath, "xdg-open");
  EXPECT_EQ(Settings.ViewerCmdLineOption, "");
  EXPECT_FALSE(Settings.ConvWhenExecuted || Settings.ConvWhenSelected || Settings.ConvWhenDropped ||
               Settings.QuitWhenConverted || Settings.DontShortenFileName);
  EXPECT_TRUE(Settings.ForceNewlineConv);
  EXPECT_EQ(Settings.TempDir, "/t/");
  EXPECT_EQ(Settings.LastDir, "/data");
  EXPECT_EQ(Settings.GUIStyle, 1);
  EXPECT_EQ(Settings.FontName, "Noto Sans CJK JP");
  EXPECT_NE(::access(path_.c_str(), F_OK), 0);
}

TEST_F(SettingsTest, ConvertOnStartIsReadAloneAndOnlyOneCounts) {
  const struct {
    std::string file;
    bool on;
  } cases[] = {{"", false},
               {"[Options]\nConvWhenExecuted=1\n", true},
               {"[options]\nconvwhenexecuted=0x1\n", true},
               {"[Options]\nConvWhenExecuted=2\n", false},
               {"[Options]\nConvWhenExecuted=-1\n", false}};
  for (const auto& c : cases) {
    WriteFile(path_, c.file);
    IniStore store = Store();
    EXPECT_EQ(ReadConvWhenExecuted(store), c.on) << c.file;
  }
}

}  // namespace
}  // namespace mxt::app
