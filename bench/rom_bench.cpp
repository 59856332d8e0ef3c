// The core's cost for one entry beside the bare system calls it cannot avoid:
// ten reads (open + pread + close each) to show an entry, ten writes (open +
// pwrite + close, then the refresh read) to save one. Run on a small and a
// large image to show that nothing grows with the file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ratio_reporter.h"
#include "rom/field_box.h"
#include "rom/module1.h"
#include "rom/record_layout.h"

namespace {

using quorvane::kFieldTable;
using quorvane::Module1;

constexpr std::int32_t kEntry = 439;  // the last of a run, in the middle of the table

class PlainBox : public quorvane::FieldBox {
 public:
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  void SetCaretPosition(int) override {}
  std::string text = "5A";
};

class Image {
 public:
  explicit Image(std::uint64_t size) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    path_ = folder_ / "image.smc";
    std::ofstream(path_, std::ios::binary).close();
    std::filesystem::resize_file(path_, size);
  }
  ~Image() { std::filesystem::remove_all(folder_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

Image& ImageOfSize(std::int64_t mebibytes) {
  static Image small(4ull << 20);
  static Image large(64ull << 20);
  return mebibytes == 4 ? small : large;
}

Module1 ModuleFor(const Image& image) {
  Module1 module;
  module.EntryOffsets.Build();
  module.RomPath = image.path();
  return module;
}

void ReadEntry(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  for (auto _ : state) {
    for (const auto& slot : kFieldTable) benchmark::DoNotOptimize(module.ReadFieldByte(kEntry, slot.position));
  }
}

void ReadFloor(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  const char* path = module.RomPath.c_str();
  for (auto _ : state) {
    for (const auto& slot : kFieldTable) {
      const off_t offset = module.LocateFieldByte(kEntry, slot.position);
      unsigned char byte;
      const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
      benchmark::DoNotOptimize(::pread(fd, &byte, 1, offset));
      ::close(fd);
    }
  }
}

void WriteEntry(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  PlainBox box;
  for (auto _ : state) {
    for (const auto& slot : kFieldTable) module.WriteFieldByte(kEntry, box, slot.position);
  }
}

void WriteFloor(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  const char* path = module.RomPath.c_str();
  for (auto _ : state) {
    for (const auto& slot : kFieldTable) {
      const off_t offset = module.LocateFieldByte(kEntry, slot.position);
      unsigned char byte = 0x5A;
      int fd = ::open(path, O_WRONLY | O_CLOEXEC);
      benchmark::DoNotOptimize(::pwrite(fd, &byte, 1, offset));
      ::close(fd);
      fd = ::open(path, O_RDONLY | O_CLOEXEC);
      benchmark::DoNotOptimize(::pread(fd, &byte, 1, offset));
      ::close(fd);
    }
  }
}

BENCHMARK(ReadEntry)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(ReadFloor)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(WriteEntry)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(WriteFloor)->Arg(4)->Arg(64)->ArgName("MiB");

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quorvane::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nOne entry through the core, beside the bare system calls (fastest of the repetitions):\n");
  bool met = true;
  for (const char* size : {"4", "64"}) {
    const std::string suffix = std::string("/MiB:") + size;
    met &= reporter.PrintRatio(std::string("ten ReadFieldByte, ") + size + " MiB image", "ReadEntry" + suffix,
                               "ReadFloor" + suffix, 1.2);
    met &= reporter.PrintRatio(std::string("ten WriteFieldByte + refresh, ") + size + " MiB image",
                               "WriteEntry" + suffix, "WriteFloor" + suffix, 1.2);
  }
  reporter.PrintRatio("ten ReadFieldByte, 64 MiB beside 4 MiB", "ReadEntry/MiB:64", "ReadEntry/MiB:4", 1.2);
  reporter.PrintRatio("ten WriteFieldByte, 64 MiB beside 4 MiB", "WriteEntry/MiB:64", "WriteEntry/MiB:4", 1.2);
  benchmark::Shutdown();
  return met ? 0 : 1;
}
