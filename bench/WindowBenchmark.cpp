// The window's own costs, side by side with what they are measured against: the start of
// the window to its first paint against a minimal Qt window, adding 10,000 and 100,000
// files from the command line, and a run over 10,000 small files in the window against
// the same run as "mxt /B" without a display. Ends with one line per goal.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/SampleText.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "tests/support/Iconv.h"
#include "tests/support/TempDir.h"

namespace {

using mxt::gui::MainWindow;

constexpr int kSmallFiles = 10000;

// Waits until a window has painted itself once.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget& window) { window.installEventFilter(this); }
  void Wait() {
    while (!painted_)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  bool painted_ = false;
};

mxt::testing::TempDir& Work() {
  static mxt::testing::TempDir dir;
  return dir;
}

// A window as a start on this system makes it, its boxes answered OK.
std::unique_ptr<MainWindow> ShownWindow(const std::vector<std::string>& arguments) {
  mxt::app::StartupInfo start{arguments, {}, {}};
  start.settings.OsKind = 3;
  start.settings.GUIStyle = 2;
  auto window = std::make_unique<MainWindow>(
      std::move(start), [](auto, auto, auto) { return mxt::fileconv::MessageAnswer::Ok; });
  FirstPaint paint(*window);
  window->show();
  paint.Wait();
  return window;
}

// What any Qt program with a list and a button pays for its first paint.
void ShowAMinimalWindow() {
  QMainWindow window;
  window.setCentralWidget(new QListView);
  window.statusBar()->addWidget(new QPushButton(QStringLiteral("OK")));
  window.resize(428, 254);
  FirstPaint paint(window);
  window.show();
  paint.Wait();
}

std::string self;

// A start as a person makes it: a process of its own, from nothing to the first paint of
// its window. The process is this program again, told what to show.
void FirstPaintOfAStart(benchmark::State& state, const char* what) {
  for (auto _ : state) {
    const std::string command = "'" + self + "' --first-paint=" + what;
    std::FILE* child = ::popen(command.c_str(), "r");
    double milliseconds = 0;
    const bool read = child && std::fscanf(child, "%lf", &milliseconds) == 1;
    if (child) ::pclose(child);
    if (!read) state.SkipWithError("the start did not tell its time");
    state.SetIterationTime(milliseconds / 1e3);
  }
}

// The measured start itself; prints the milliseconds from main() to the first paint.
int ShowOnce(const std::string& what, int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication application(argc, argv);
  if (what == "window") {
    ShownWindow({});
  } else {
    ShowAMinimalWindow();
  }
  std::printf("%.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
  return 0;
}

// Folders of small Shift-JIS files, made once.
const std::string& SmallFiles(int count) {
  static std::map<int, std::string> folders;
  auto& folder = folders[count];
  if (folder.empty()) {
    folder = Work() / ("files-" + std::to_string(count));
    ::mkdir(folder.c_str(), 0755);
    const std::string text =
        *mxt::testing::Iconv(mxt::bench::GenerateEUCText(2000), "EUC-JP", "SHIFT_JIS");
    for (int i = 0; i < count; ++i) {
      const std::string path = folder + "/" + std::to_string(100000 + i) + ".txt";
      std::FILE* file = std::fopen(path.c_str(), "wb");
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  }
  return folder;
}

// The bytes the program holds from the allocator.
std::size_t AllocatedBytes() {
  return ::mallinfo2().uordblks;
}

std::map<int, double> bytesPerEntry;

void AddFilesFromTheCommandLine(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string pattern = SmallFiles(count) + "/*.txt";
  for (auto _ : state) {
    state.PauseTiming();
    auto window = ShownWindow({pattern});
    const std::size_t before = AllocatedBytes();
    state.ResumeTiming();
    window->OnFirstIdle();
    state.PauseTiming();
    bytesPerEntry[count] = static_cast<double>(AllocatedBytes() - before) / count;
    window.reset();
    state.ResumeTiming();
  }
}

// A fresh copy of the small files, that the run converts for real.
std::string FreshCopy() {
  const std::string copy = Work() / "run";
  const std::string command =
      "rm -rf '" + copy + "' && cp -r '" + SmallFiles(kSmallFiles) + "' '" + copy + "' && sync";
  if (std::system(command.c_str()) != 0) std::abort();
  return copy;
}

void RunInTheWindow(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string folder = FreshCopy();
    auto window = ShownWindow({"/E", folder + "/*.txt"});
    window->OnFirstIdle();
    state.ResumeTiming();
    window->Session().run.ConvertAll();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}

std::string program;

void RunAsBatchWithoutADisplay(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string folder = FreshCopy();
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program +
                                "' /B /E '" + folder + "/*.txt' >/dev/null";
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) state.SkipWithError("mxt /B failed");
  }
}

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // By the name as registered, without what the library appends to it.
    for (const Run& run : runs) {
      const std::string name =
          run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
      milliseconds[name] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> milliseconds;  // every benchmark here reports in them
};

void PrintSummary(const std::map<std::string, double>& ms) {
  auto at = [&](const std::string& name) {
    const auto found = ms.find(name);
    return found == ms.end() ? 0.0 : found->second;
  };
  const double window = at("first-paint/window"), minimal = at("first-paint/minimal-qt");
  const double add10k = at("add-files/10000"), add100k = at("add-files/100000");
  const double inWindow = at("run-10000/window"), batch = at("run-10000/batch");
  std::printf(
      "\n# goals: first paint <= 1.5x a minimal Qt window; 10x the files <= 12x the time;"
      " a run in the window <= 1.3x the batch run\n");
  if (minimal > 0)
    std::printf("first paint %.1f ms, minimal Qt %.1f ms, %.2fx\n", window, minimal,
                window / minimal);
  if (add10k > 0) {
    std::printf("adding 10,000 files %.0f ms, 100,000 files %.0f ms, %.1fx; %.0f bytes per entry\n",
                add10k, add100k, add100k / add10k, bytesPerEntry[100000]);
  }
  if (batch > 0)
    std::printf("run over 10,000 files: window %.0f ms, batch %.0f ms, %.2fx\n", inWindow, batch,
                inWindow / batch);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first.rfind("--first-paint=", 0) == 0) return ShowOnce(first.substr(14), argc, argv);
  self = argv[0];
  benchmark::Initialize(&argc, argv);
  QApplication application(argc, argv);
  program = argc > 1 ? argv[1] : "mxt";
  ::setenv("XDG_CONFIG_HOME", (Work() / "config").c_str(), 1);
  for (const char* what : {"window", "minimal-qt"}) {
    benchmark::RegisterBenchmark((std::string("first-paint/") + what).c_str(), FirstPaintOfAStart,
                                 what)
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
  }
  benchmark::RegisterBenchmark("add-files", AddFilesFromTheCommandLine)
      ->Arg(10000)
      ->Arg(100000)
      ->Iterations(2)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run-10000/window", RunInTheWindow)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("run-10000/batch", RunAsBatchWithoutADisplay)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.milliseconds);
  benchmark::Shutdown();
  return 0;
}
