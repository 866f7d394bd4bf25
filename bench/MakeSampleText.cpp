// Writes generated Japanese text in Shift-JIS for the batch benchmark:
//   mxt_sample_text FILE MEGABYTES          one file of that size
//   mxt_sample_text DIR COUNT BYTES         COUNT files of about BYTES each in DIR
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/SampleText.h"
#include "platform/OsFile.h"
#include "tests/support/Iconv.h"

namespace {

void Save(const std::string& path, const std::string& text) {
  mxt::platform::OsFile::Create(path).WriteBlock(text.data(), text.size());
}

std::string ShiftJISText(std::size_t size) {
  return *mxt::testing::Iconv(mxt::bench::GenerateEUCText(size), "EUC-JP", "SHIFT_JIS");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) {
    Save(argv[1], ShiftJISText(std::strtoull(argv[2], nullptr, 10) << 20));
    return 0;
  }
  if (argc == 4) {
    const std::string dir = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    const std::string text = ShiftJISText(std::strtoull(argv[3], nullptr, 10));
    for (long i = 0; i < count; ++i)
      Save(dir + "/f" + std::to_string(i) + ".txt", text);
    return 0;
  }
  std::fprintf(stderr, "usage: %s FILE MEGABYTES | DIR COUNT BYTES\n", argv[0]);
  return 2;
}
