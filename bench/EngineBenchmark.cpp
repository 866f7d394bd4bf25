// Throughput of the stream routines and the newline modes over generated Japanese
// text, in memory and file to file, with glibc's iconv(3) on the same text as the
// baseline, and the cost of classifying a first block. Ends with one line per routine:
// name, MB/s, iconv MB/s, ratio; then the UTF-8 test's share of classification.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/SampleText.h"
#include "engine/Converter.h"
#include "engine/EscapeSequence.h"
#include "engine/TextClassification.h"
#include "platform/OsFile.h"
#include "tests/support/EngineRun.h"
#include "tests/support/Iconv.h"
#include "tests/support/MemoryFile.h"

namespace {

using mxt::engine::KanjiCode;
using mxt::engine::NewlineCode;
using mxt::testing::MemoryFile;

constexpr std::size_t kTextSize = 64 << 20;

struct Texts {
  std::string shiftJIS, euc, jis, utf8;
  std::string shiftJISPath, eucPath, jisPath, utf8Path, outputPath;
  std::string dir;
};

Texts& SampleTexts() {
  static Texts texts = [] {
    Texts t;
    t.euc = mxt::bench::GenerateEUCText(kTextSize);
    t.shiftJIS = *mxt::testing::Iconv(t.euc, "EUC-JP", "SHIFT_JIS");
    t.jis = *mxt::testing::Iconv(t.euc, "EUC-JP", "ISO-2022-JP");
    t.utf8 = *mxt::testing::Iconv(t.euc, "EUC-JP", "UTF-8");
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp ? tmp : "/tmp") + "/mxt-bench-XXXXXX";
    t.dir = mkdtemp(pattern.data());
    auto save = [&](const std::string& name, const std::string& content) {
      const std::string path = t.dir + "/" + name;
      mxt::platform::OsFile::Create(path).WriteBlock(content.data(), content.size());
      return path;
    };
    t.shiftJISPath = save("sjis.txt", t.shiftJIS);
    t.eucPath = save("euc.txt", t.euc);
    t.jisPath = save("jis.txt", t.jis);
    t.utf8Path = save("utf8.txt", t.utf8);
    t.outputPath = t.dir + "/out.txt";
    return t;
  }();
  return texts;
}

struct Direction {
  const char* routine;
  KanjiCode from;
  std::uint8_t outputCode;
  const char* iconvFrom;  // nullptr: no baseline
  const char* iconvTo;
};

const Direction kDirections[] = {
    {"CopyStream", KanjiCode::ShiftJIS, 0, nullptr, nullptr},
    {"ShiftJISToEUC", KanjiCode::ShiftJIS, 1, "SHIFT_JIS", "EUC-JP"},
    {"EUCToShiftJIS", KanjiCode::EUC, 0, "EUC-JP", "SHIFT_JIS"},
    {"ShiftJISToJIS", KanjiCode::ShiftJIS, 2, "SHIFT_JIS", "ISO-2022-JP"},
    {"JISToShiftJIS", KanjiCode::JIS, 0, "ISO-2022-JP", "SHIFT_JIS"},
    {"EUCToJIS", KanjiCode::EUC, 2, "EUC-JP", "ISO-2022-JP"},
    {"JISToEUC", KanjiCode::JIS, 1, "ISO-2022-JP", "EUC-JP"},
    {"JISToJIS", KanjiCode::JIS, 2, "ISO-2022-JP", "ISO-2022-JP"},
    {"ShiftJISToUTF8", KanjiCode::ShiftJIS, 3, "CP932", "UTF-8"},
    {"EUCToUTF8", KanjiCode::EUC, 3, "EUC-JP", "UTF-8"},
    {"JISToUTF8", KanjiCode::JIS, 3, "ISO-2022-JP", "UTF-8"},
    {"UTF8ToShiftJIS", KanjiCode::UTF8, 0, "UTF-8", "CP932"},
    {"UTF8ToEUC", KanjiCode::UTF8, 1, "UTF-8", "EUC-JP"},
    {"UTF8ToJIS", KanjiCode::UTF8, 2, "UTF-8", "ISO-2022-JP"},
};

const std::string& TextIn(KanjiCode code) {
  const Texts& t = SampleTexts();
  switch (code) {
    case KanjiCode::ShiftJIS:
      return t.shiftJIS;
    case KanjiCode::EUC:
      return t.euc;
    case KanjiCode::UTF8:
      return t.utf8;
    default:
      return t.jis;
  }
}

const std::string& PathOf(KanjiCode code) {
  const Texts& t = SampleTexts();
  switch (code) {
    case KanjiCode::ShiftJIS:
      return t.shiftJISPath;
    case KanjiCode::EUC:
      return t.eucPath;
    case KanjiCode::UTF8:
      return t.utf8Path;
    default:
      return t.jisPath;
  }
}

// JIS is written in the set iconv writes, ESC "$B" and ESC "(B", so that both do the same work.
mxt::testing::EngineConversion ConversionOf(const Direction& d, NewlineCode newlines) {
  return {d.from, newlines, {d.outputCode, false, false, 0, mxt::engine::EscapeSequenceSet::EscBB}};
}

void InMemory(benchmark::State& state, Direction d, NewlineCode newlines) {
  MemoryFile input(TextIn(d.from));
  MemoryFile output;
  output.Content().reserve(2 * input.Content().size() + 1024);
  mxt::engine::Converter converter;
  for (auto _ : state) {
    input.Rewind();
    output.Rewind();
    output.Content().clear();
    mxt::testing::StreamFile(converter, input, output, ConversionOf(d, newlines));
    benchmark::DoNotOptimize(output.Content().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.Content().size()));
}

void FileToFile(benchmark::State& state, Direction d, NewlineCode newlines) {
  mxt::engine::Converter converter;
  for (auto _ : state) {
    auto input = mxt::platform::OsFile::OpenForReading(PathOf(d.from));
    auto output = mxt::platform::OsFile::Create(SampleTexts().outputPath);
    mxt::testing::StreamFile(converter, input, output, ConversionOf(d, newlines));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TextIn(d.from).size()));
}

void Iconv(benchmark::State& state, Direction d) {
  const std::string& text = TextIn(d.from);
  std::string output(2 * text.size() + 1024, '\0');
  iconv_t cd = iconv_open(d.iconvTo, d.iconvFrom);
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
      state.SkipWithError("iconv refused the text");
      break;
    }
    benchmark::DoNotOptimize(output.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// A file's first block classified as a conversion does it; with `utf8Test` off, without
// the UTF-8 test, to show what that test adds.
void Classify(benchmark::State& state, const std::string* text, bool utf8Test) {
  const auto* block = reinterpret_cast<const std::uint8_t*>(text->data());
  const auto length = static_cast<std::uint32_t>(mxt::engine::ClassificationBlockSize);
  for (auto _ : state) {
    bool utf8 = false;
    const bool binary = mxt::engine::IsBinaryText(block, length);
    if (utf8Test && !binary) utf8 = mxt::engine::IsUTF8Text(block, length, true);
    benchmark::DoNotOptimize(mxt::engine::DetectNewlineCode(block, length));
    if (!utf8) benchmark::DoNotOptimize(mxt::engine::DetectKanjiCode(block, length));
    benchmark::DoNotOptimize(utf8);
  }
}

// Keeps each run's throughput for the closing summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end()) throughput[run.benchmark_name()] = it->second.value / 1e6;
      nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  std::map<std::string, double> throughput;
  std::map<std::string, double> nanoseconds;
};

const struct Sample {
  const char* name;
  std::string Texts::*text;
} kSamples[] = {{"ShiftJIS", &Texts::shiftJIS}, {"EUC", &Texts::euc}, {"UTF8", &Texts::utf8}};

void RegisterAll() {
  const auto unit = benchmark::kMillisecond;
  for (const Direction& d : kDirections) {
    benchmark::RegisterBenchmark((std::string("memory/") + d.routine).c_str(), InMemory, d,
                                 NewlineCode::DontCare)
        ->Unit(unit);
    benchmark::RegisterBenchmark((std::string("file/") + d.routine).c_str(), FileToFile, d,
                                 NewlineCode::DontCare)
        ->Unit(unit)
        ->UseRealTime();
    if (d.iconvFrom) {
      benchmark::RegisterBenchmark((std::string("iconv/") + d.routine).c_str(), Iconv, d)
          ->Unit(unit);
    }
  }
  const struct {
    const char* name;
    NewlineCode mode;
  } modes[] = {{"CRLF", NewlineCode::CRLF}, {"LF", NewlineCode::LF}, {"CR", NewlineCode::CR}};
  for (const auto& m : modes) {
    benchmark::RegisterBenchmark((std::string("memory/newlines-") + m.name).c_str(), InMemory,
                                 kDirections[0], m.mode)
        ->Unit(unit);
    benchmark::RegisterBenchmark((std::string("file/newlines-") + m.name).c_str(), FileToFile,
                                 kDirections[0], m.mode)
        ->Unit(unit)
        ->UseRealTime();
  }
  for (const Sample& sample : kSamples) {
    const std::string* text = &(SampleTexts().*sample.text);
    for (const bool utf8Test : {false, true}) {
      const std::string name =
          std::string("classify/") + sample.name + (utf8Test ? "" : "-without-utf8-test");
      benchmark::RegisterBenchmark(name.c_str(), Classify, text, utf8Test)
          ->Unit(benchmark::kNanosecond);
    }
  }
}

void PrintClassificationSummary(const std::map<std::string, double>& nanoseconds) {
  std::printf("\n# classifying a 32768-byte first block: ns with and without the UTF-8 test\n");
  for (const Sample& sample : kSamples) {
    const auto with = nanoseconds.find(std::string("classify/") + sample.name);
    const auto without =
        nanoseconds.find(std::string("classify/") + sample.name + "-without-utf8-test");
    if (with == nanoseconds.end() || without == nanoseconds.end()) continue;
    std::printf("%s %.0f %.0f, the test %.1f%% of it\n", sample.name, with->second, without->second,
                100.0 * (with->second - without->second) / with->second);
  }
}

void PrintSummary(const std::map<std::string, double>& throughput) {
  std::printf(
      "\n# in memory over %zu MB; goals: ShiftJISToEUC, EUCToShiftJIS and the kanji codes to UTF-8 "
      ">= 3x iconv, the others >= 2x\n",
      kTextSize >> 20);
  for (const Direction& d : kDirections) {
    const auto ours = throughput.find(std::string("memory/") + d.routine);
    const auto theirs = throughput.find(std::string("iconv/") + d.routine);
    if (ours == throughput.end()) continue;
    if (theirs == throughput.end()) {
      std::printf("%s %.0f - -\n", d.routine, ours->second);
    } else {
      std::printf("%s %.0f %.0f %.2f\n", d.routine, ours->second, theirs->second,
                  ours->second / theirs->second);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SampleTexts();
  RegisterAll();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.throughput);
  PrintClassificationSummary(reporter.nanoseconds);
  std::system(("rm -rf '" + SampleTexts().dir + "'").c_str());
  benchmark::Shutdown();
  return 0;
}
