#include "app/StoredSettings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "app/IniStore.h"
#include "app/ProfileText.h"
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
  void SetNormalBounds(const Bounds& bounds, bool) override {
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
  void Commit() override { store_.Commit(); }

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
  void Commit() override {}

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

// One stored field as a number, to compare fields of any type in one table.
template <auto field>
int Get(const Settings& s) {
  return int(s.*field);
}

// Settings as a start makes them on a system with the new-shell style.
Settings StartSettings() {
  Settings settings;
  settings.GUIStyle = kSystemStyle;
  return settings;
}

class StoredSettingsTest : public ::testing::Test {
 protected:
  IniStore Store() { return IniStore(path_, IniStore::Form::BesideProgram); }
  void Load(const std::string& content) {
    WriteFile(path_, content);
    IniStore store = Store();
    LoadSettings(settings_, window_, store);
  }
  void Save() {
    IniStore store = Store();
    SaveSettings(settings_, window_, store);
  }
  std::optional<std::string> Stored(std::string_view group, std::string_view name) {
    return ProfileValue(ReadFile(path_), group, name);
  }

  TempDir dir_;
  ScopedEnv tmp_{"TMPDIR", dir_.Path().c_str()};
  std::string path_ = dir_ / "MXT.INI";
  FakeWindow window_;
  Settings settings_ = StartSettings();
};

TEST_F(StoredSettingsTest, AnEmptyPerUserStoreGivesEveryDefaultAndMakesItsFolder) {
  ScopedEnv config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  LoadSettings(settings_, window_, *OpenSettingsStore(false));
  EXPECT_EQ(::access((dir_ / "config/MXT").c_str(), F_OK), 0);
  EXPECT_EQ(settings_.ViewerPath, "xdg-open");
  EXPECT_EQ(settings_.TempDir, dir_.Path() + "/");
  EXPECT_EQ(settings_.GUIStyle, kSystemStyle);
  EXPECT_EQ(settings_.OutputKanjiCode, 0);
  EXPECT_EQ(settings_.OutputNewlineCode, engine::NewlineCode::DontCare);
  EXPECT_EQ(settings_.FontName, "");
  EXPECT_EQ(settings_.FontSize, 0);
  EXPECT_EQ(settings_.LastDir, "");
  EXPECT_FALSE(settings_.ConvWhenExecuted);
  EXPECT_EQ(window_.current, kBuiltIn);
  EXPECT_EQ(window_.state, State::Normal);
}

TEST_F(StoredSettingsTest, StoredNumbersAreReadAndOutOfRangeOnesBecomeZero) {
  const struct {
    std::string_view group, name, text;
    int (*field)(const Settings&);
    int expected;
  } cases[] = {
      {"Options", "OutputKanjiCode", "4", Get<&Settings::OutputKanjiCode>, 0},
      {"Options", "OutputKanjiCode", "3", Get<&Settings::OutputKanjiCode>, 3},
      {"Options", "InputKanjiCode", "4", Get<&Settings::InputKanjiCode>, 4},
      {"Options", "InputKanjiCode", "5", Get<&Settings::InputKanjiCode>, 0},
      {"Options", "UTF8BOM", "1", Get<&Settings::UTF8BOM>, 1},
      {"Options", "UTF8BOM", "2", Get<&Settings::UTF8BOM>, 0},
      {"Options", "Mapping", "1", Get<&Settings::Mapping>, 1},
      {"Options", "Mapping", "2", Get<&Settings::Mapping>, 0},
      {"Options", "Unconvertible", "2", Get<&Settings::Unconvertible>, 2},
      {"Options", "Unconvertible", "3", Get<&Settings::Unconvertible>, 0},
      {"Options", "Language", "2", Get<&Settings::Language>, 2},
      {"Options", "Language", "3", Get<&Settings::Language>, 0},
      {"Options", "EscapeSequence", "0x2", Get<&Settings::EscapeSequence>, 2},
      {"Options", "OutputNewlineCode", "$3", Get<&Settings::OutputNewlineCode>, 3},
      {"Options", "InputKanjiCode", "3", Get<&Settings::InputKanjiCode>, 3},
      {"Options", "InputKanjiCode", "-1", Get<&Settings::InputKanjiCode>, 0},
      {"Options", "WayToOverwrite", "2", Get<&Settings::WayToOverwrite>, 0},
      {"Options", "7BitMode", "1", Get<&Settings::SevenBitMode>, 1},
      {"Options", "ConvWhenDropped", "yes", Get<&Settings::ConvWhenDropped>, 0},
      {"Options", "ForceNewlineConv", "1", Get<&Settings::ForceNewlineConv>, 1},
      {"MainWindow", "FontSize", "-12", Get<&Settings::FontSize>, 12},
      {"MainWindow", "FontSize", "200", Get<&Settings::FontSize>, 0},
      {"MainWindow", "FontSize", "127", Get<&Settings::FontSize>, 127},
      {"MainWindow", "FontSize", "-2147483648", Get<&Settings::FontSize>, 0},
      {"Options", "GUIStyle", "0", Get<&Settings::GUIStyle>, kSystemStyle},
      {"Options", "GUIStyle", "7", Get<&Settings::GUIStyle>, kSystemStyle},
      {"Options", "GUIStyle", "1", Get<&Settings::GUIStyle>, 1},
  };
  for (const auto& c : cases) {
    settings_ = StartSettings();
    Load(std::string("[").append(c.group).append("]\n").append(c.name).append("=").append(c.text));
    EXPECT_EQ(c.field(settings_), c.expected) << c.name << "=" << c.text;
  }
}

TEST_F(StoredSettingsTest, TheTempDirLosesItsBlanksAndEndsInOneSlash) {
  const struct {
    std::string stored, loaded;
  } cases[] = {{"  /data/tmp  ", "/data/tmp/"}, {"   ", ""}, {"/data/tmp/", "/data/tmp/"}};
  for (const auto& c : cases) {
    MemoryStore store;
    store.WriteString("Options", "TempDir", c.stored);
    LoadSettings(settings_, window_, store);
    EXPECT_EQ(settings_.TempDir, c.loaded) << "'" << c.stored << "'";
  }
}

TEST_F(StoredSettingsTest, AFontThatIsNotInstalledFallsBackToTheDefault) {
  Load("[MainWindow]\nFontName=Noto Sans CJK JP\nFontSize=10\n");
  EXPECT_EQ(settings_.FontName, "Noto Sans CJK JP");
  Load("[MainWindow]\nFontName=ＭＳ Ｐゴシック\nFontSize=10\n");
  EXPECT_EQ(settings_.FontName, "");
  EXPECT_EQ(settings_.FontSize, 10);
}

TEST_F(StoredSettingsTest, AWindowKeepsOnePixelInsideTheWorkAreaAndIsNoLargerThanIt) {
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
      {{2147483647, 10, 2147483647, 1}, Rect{0, 0, 1920, 1040}, {1919, 10, 1920, 1}},
      {{10, 10, 999999, 999999}, Rect{0, 40, 1920, 1080}, {10, 10, 1920, 1040}},
      {{10, 10, 999999, 999999}, std::nullopt, {10, 10, 1280, 1024}},
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

TEST_F(StoredSettingsTest, AMaximizedWindowStoresItsRestoredRectangleAndStartsMaximized) {
  window_.state = State::Maximized;
  window_.normal = {10, 20, 300, 200};
  window_.current = {0, 0, 1920, 1040};
  Save();
  EXPECT_EQ(Stored("MainWindow", "State"), "1");
  EXPECT_EQ(Stored("MainWindow", "Width"), "300");
  window_ = FakeWindow();
  IniStore store = Store();
  LoadSettings(settings_, window_, store);
  EXPECT_EQ(window_.state, State::Maximized);
  EXPECT_EQ(window_.normal, (Bounds{10, 20, 300, 200}));
}

TEST_F(StoredSettingsTest, TheDefaultFontIsStoredAsEmptyTexts) {
  settings_.FontName = "DejaVu Sans";
  settings_.FontSize = 9;
  Save();
  EXPECT_EQ(Stored("MainWindow", "FontName"), "");
  EXPECT_EQ(Stored("MainWindow", "FontSize"), "");
  settings_.FontSize = 10;
  Save();
  EXPECT_EQ(Stored("MainWindow", "FontName"), "DejaVu Sans");
  EXPECT_EQ(Stored("MainWindow", "FontSize"), "10");
}

TEST_F(StoredSettingsTest, ABatchRunWritesNothing) {
  settings_.BatchMode = true;
  Save();
  EXPECT_NE(::access(path_.c_str(), F_OK), 0);
}

void ChangeEveryOption(Settings& s) {
  s.InputKanjiCode = 2;
  s.OutputKanjiCode = 1;
  s.EscapeSequence = engine::EscapeSequenceSet::EscKH;
  s.OutputNewlineCode = engine::NewlineCode::CR;
  s.SevenBitMode = s.RemoveCtrlZ = s.PreserveTimestamp = true;
  s.WayToOverwrite = 1;
  s.UTF8BOM = true;
  s.KeepBackup = true;
  s.Mapping = engine::CharacterMapping::JIS;
  s.Unconvertible = engine::Unconvertible::Reference;
  s.ViewerPath = "/usr/bin/less";
  s.ViewerCmdLineOption = "-N  -S";
  s.ConvWhenExecuted = s.ConvWhenSelected = s.ConvWhenDropped = true;
  s.QuitWhenConverted = s.DontShortenFileName = true;
  s.Language = 2;
  s.AddFolderFiles = true;
  s.FontName = "Noto Sans CJK JP";
  s.FontSize = 11;
}

// The keys of an INI text in their order, each followed by a blank.
// Every field ChangeEveryOption sets, as one comparable tuple.
auto Options(const Settings& s) {
  return std::tuple(s.InputKanjiCode, s.OutputKanjiCode, s.EscapeSequence, s.OutputNewlineCode,
                    s.SevenBitMode, s.RemoveCtrlZ, s.PreserveTimestamp, s.WayToOverwrite, s.UTF8BOM,
                    s.KeepBackup, s.Mapping, s.Unconvertible, s.ViewerPath, s.ViewerCmdLineOption,
                    s.ConvWhenExecuted, s.ConvWhenSelected, s.ConvWhenDropped, s.QuitWhenConverted,
                    s.DontShortenFileName, s.Language, s.AddFolderFiles, s.FontName, s.FontSize);
}

std::string KeysInOrder(const std::string& text) {
  std::string keys;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    if (line.find('=') != std::string::npos) keys += line.substr(0, line.find('=')) + " ";
    at = end + 1;
  }
  return keys;
}

// A folder under `base` whose path is `length` bytes long.
std::string FolderOfLength(const std::string& base, std::size_t length) {
  std::string path = base;
  while (path.size() < length) {
    std::size_t name = std::min<std::size_t>(length - path.size() - 1, 200);
    // Never a single byte left for the next level: it would be a bare "/".
    if (length - path.size() - 1 - name == 1) --name;
    path += '/';
    path.append(name, 'd');
  }
  return path;
}

// The folder the window ended in is stored only where the file gives it back as it is.
TEST_F(StoredSettingsTest, AFolderTheFileWouldNotGiveBackIsNotStored) {
  const std::string start = platform::CurrentDirectory();
  const struct {
    std::string name;
    bool stored;
  } cases[] = {
      {"plain", true},     {"inner blank", true},      {"line\nbreak", false},
      {"return\r", false}, {"trailing blank ", false}, {" leading blank", true},
      {"tab\t", false},
  };
  std::vector<std::pair<std::string, bool>> folders;
  for (const auto& c : cases)
    folders.emplace_back(dir_ / c.name, c.stored);
  // As long as a stored value may be, and one byte longer.
  folders.emplace_back(FolderOfLength(dir_ / "long", kProfileValueLimit), true);
  folders.emplace_back(FolderOfLength(dir_ / "longer", kProfileValueLimit + 1), false);
  ASSERT_EQ(folders.back().first.size(), kProfileValueLimit + 1);
  for (const auto& [folder, stored] : folders) {
    ASSERT_TRUE(std::filesystem::create_directories(folder)) << folder;
    ASSERT_EQ(::chdir(folder.c_str()), 0) << folder;
    Save();
    ASSERT_EQ(::chdir(start.c_str()), 0);
    settings_ = StartSettings();
    Load(ReadFile(path_));
    EXPECT_EQ(settings_.LastDir, stored ? folder : "") << folder;
  }
}

TEST_F(StoredSettingsTest, EveryStoreGivesBackWhatWasSavedInItsOrder) {
  ScopedEnv config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  WriteFile(path_, "; by hand\n[Options]\nForceNewlineConv=1\nMine=kept\n");
  const std::vector<std::function<std::unique_ptr<SettingsStore>()>> stores = {
      [] { return OpenSettingsStore(false); },
      [this] { return std::make_unique<IniStore>(path_, IniStore::Form::BesideProgram); }};
  for (const auto& open : stores) {
    settings_ = StartSettings();
    ChangeEveryOption(settings_);
    settings_.TempDir = "/not/written/";
    window_.normal = window_.current = {30, 40, 640, 480};
    const Settings saved = settings_;
    SaveSettings(settings_, window_, *open());
    settings_ = StartSettings();
    window_ = FakeWindow();
    LoadSettings(settings_, window_, *open());
    EXPECT_EQ(Options(settings_), Options(saved));
    EXPECT_EQ(settings_.LastDir, platform::CurrentDirectory());
    EXPECT_EQ(settings_.TempDir, dir_.Path() + "/");
    EXPECT_EQ(window_.normal, (Bounds{30, 40, 640, 480}));
  }
  EXPECT_TRUE(settings_.ForceNewlineConv);  // read from the hand-edited file, never written
  EXPECT_EQ(KeysInOrder(ReadFile(dir_ / "config/MXT/MXT.ini")),
            "PosX PosY Width Height State LastDir FontName FontSize InputKanjiCode "
            "OutputKanjiCode EscapeSequence OutputNewlineCode 7BitMode RemoveCtrlZ "
            "PreserveTimestamp WayToOverwrite UTF8BOM Mapping Unconvertible KeepBackup ViewerPath "
            "ViewerCmdLineOption ConvWhenExecuted ConvWhenSelected ConvWhenDropped "
            "QuitWhenConverted DontShortenFileName AddFolderFiles Language ");
  const std::string edited = ReadFile(path_);
  EXPECT_EQ(edited.rfind("; by hand\n[Options]\nForceNewlineConv=1\nMine=kept\n", 0), 0u) << edited;
}

TEST_F(StoredSettingsTest, AFailedLoadKeepsOnlyWhatTakesEffectAtOnce) {
  WriteFile(path_,
            "[MainWindow]\nPosX=5\nLastDir=/data\n[Options]\nOutputKanjiCode=2\n"
            "ViewerPath=less\nViewerCmdLineOption=-N\n");
  IniStore file = Store();
  FailingStore store(file, "ConvWhenSelected");
  EXPECT_THROW(LoadSettings(settings_, window_, store), fileconv::UserError);
  EXPECT_EQ(settings_.LastDir, "/data");
  EXPECT_EQ(settings_.ViewerCmdLineOption, "-N");
  EXPECT_EQ(settings_.ViewerPath, StartSettings().ViewerPath);
  EXPECT_EQ(settings_.OutputKanjiCode, 0);
  EXPECT_EQ(settings_.GUIStyle, kSystemStyle);
  EXPECT_EQ(window_.current, kBuiltIn);
}

TEST_F(StoredSettingsTest, AFailedSaveLeavesTheFileAsItWas) {
  const std::string before = "[Options]\nWayToOverwrite=1\n";
  WriteFile(path_, before);
  IniStore file = Store();
  FailingStore store(file, "ViewerPath");
  EXPECT_THROW(SaveSettings(settings_, window_, store), fileconv::UserError);
  EXPECT_EQ(ReadFile(path_), before);
}

class FakeHost final : public RestoreDefaultsHost {
 public:
  explicit FakeHost(const Settings& settings) : settings_(settings) {}

  bool Confirm(std::string_view question) override {
    calls.push_back(std::string(question));
    return answer;
  }
  void ShowOutputCodes() override {
    calls.push_back("codes " + std::to_string(settings_.OutputKanjiCode) + " " +
                    std::to_string(int(settings_.OutputNewlineCode)));
  }
  void SwitchToOverwrite() override { calls.push_back("overwrite"); }
  void ClearFileList() override { calls.push_back("clear"); }

  bool answer = true;
  std::vector<std::string> calls;

 private:
  const Settings& settings_;
};

TEST_F(StoredSettingsTest, RestoringTheDefaultsAsksFirstAndKeepsTheHandSetValues) {
  ChangeEveryOption(settings_);
  settings_.ForceNewlineConv = true;
  settings_.TempDir = "/t/";
  settings_.LastDir = "/data";
  settings_.GUIStyle = 1;
  FakeHost host(settings_);
  host.answer = false;
  RestoreDefaults(settings_, host);
  EXPECT_EQ(settings_.OutputKanjiCode, 1);
  host.answer = true;
  host.calls.clear();
  RestoreDefaults(settings_, host);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"すべての設定をデフォルト値に戻しますか ?",
                                                  "codes 0 0", "overwrite", "clear"}));
  EXPECT_EQ(settings_.InputKanjiCode, 0);
  EXPECT_EQ(settings_.EscapeSequence, engine::EscapeSequenceSet::EscBJ);
  EXPECT_FALSE(settings_.SevenBitMode || settings_.RemoveCtrlZ || settings_.PreserveTimestamp);
  EXPECT_EQ(settings_.WayToOverwrite, 0);
  EXPECT_FALSE(settings_.UTF8BOM || settings_.KeepBackup || settings_.AddFolderFiles);
  EXPECT_EQ(settings_.Mapping, engine::CharacterMapping::Windows);
  EXPECT_EQ(settings_.Unconvertible, engine::Unconvertible::Skip);
  EXPECT_EQ(settings_.Language, 2) << "the window's language is no conversion default";
  EXPECT_EQ(settings_.ViewerPath, "xdg-open");
  EXPECT_EQ(settings_.ViewerCmdLineOption, "");
  EXPECT_FALSE(settings_.ConvWhenExecuted || settings_.ConvWhenSelected ||
               settings_.ConvWhenDropped || settings_.QuitWhenConverted ||
               settings_.DontShortenFileName);
  EXPECT_TRUE(settings_.ForceNewlineConv);
  EXPECT_EQ(settings_.TempDir, "/t/");
  EXPECT_EQ(settings_.LastDir, "/data");
  EXPECT_EQ(settings_.GUIStyle, 1);
  EXPECT_EQ(settings_.FontName, "Noto Sans CJK JP");
  EXPECT_NE(::access(path_.c_str(), F_OK), 0);
}

// Both are read before the rest; a convert-on-start other than 1, and a language out of
// range, count as the default.
TEST_F(StoredSettingsTest, ConvertOnStartAndLanguageAreReadAlone) {
  const struct {
    std::string file;
    bool on;
    int language;
  } cases[] = {{"", false, 0},
               {"[Options]\nConvWhenExecuted=1\nLanguage=1\n", true, 1},
               {"[options]\nconvwhenexecuted=0x1\nlanguage=2\n", true, 2},
               {"[Options]\nConvWhenExecuted=2\nLanguage=3\n", false, 0},
               {"[Options]\nConvWhenExecuted=-1\nLanguage=-1\n", false, 0}};
  for (const auto& c : cases) {
    WriteFile(path_, c.file);
    IniStore store = Store();
    EXPECT_EQ(ReadConvWhenExecuted(store), c.on) << c.file;
    EXPECT_EQ(ReadLanguage(store), c.language) << c.file;
  }
}

}  // namespace
}  // namespace mxt::app
