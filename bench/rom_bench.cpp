// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editing session's cost for one entry beside the bare system calls it
// cannot avoid, each byte taking open + statx (the check that the file is
// still the image, its birth time included) + pread or pwrite + close: ten reads to show an entry; to
// save one, ten reads (is the record still as shown?), the writes, each
// flushed to the disk, and the ten reads again. The same floor without the
// flush shows what the flush costs. Run on a small and a large image to show
// that nothing grows with the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "rom/editing_session.h"
#include "rom/hex_text.h"
#include "rom/image_check.h"
#include "rom/module1.h"
#include "rom/record_layout.h"
#include "synthetic_image.h"

namespace {

using quorvane::kFieldTable;
using quorvane::Module1;

constexpr std::int32_t kEntry = 439;  // the last of a run, in the middle of the table

using Image = quorvane::testing::SyntheticImage;

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

// A session with the image open and the entry shown, as the window has it.
struct OpenSession {
  explicit OpenSession(const Image& image) : module(ModuleFor(image)), session(module) {
    session.Open(image.path(), session.Examine(image.path()));
    session.Show(kEntry);
  }
  Module1 module;
  quorvane::EditingSession session;
};

// What every access asks of the handle it opened.
void Examine(int fd) {
  struct statx facts {};
  benchmark::DoNotOptimize(::statx(fd, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_INO | STATX_BTIME, &facts));
}

// One byte as every access takes it: open, check the handle, read, close.
void ReadByteFloor(const char* path, off_t offset) {
  unsigned char byte;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  Examine(fd);
  benchmark::DoNotOptimize(::pread(fd, &byte, 1, offset));
  ::close(fd);
}

void ShowEntry(benchmark::State& state) {
  OpenSession open(ImageOfSize(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(open.session.Show(kEntry));
}

void ShowFloor(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  for (auto _ : state) {
    for (const auto& slot : kFieldTable)
      ReadByteFloor(module.RomPath.c_str(), module.LocateFieldByte(kEntry, slot.position));
  }
}

// A Save of all eight bytes the user may change, each time to other values
// so that every one is written: the ten bytes checked, eight written and
// flushed, the ten read again.
void SaveEntry(benchmark::State& state) {
  OpenSession open(ImageOfSize(state.range(0)));
  quorvane::BoxTexts texts{"5A", "5A", "5A", "5A", "5A", "5A", "5A", "5A", "00", "00"};
  for (auto _ : state) {
    const std::string next = texts[0] == "5A" ? "A5" : "5A";
    for (std::size_t box = 0; box < 8; ++box) texts[box] = next;
    if (open.session.Save(texts, open.session.CurrentDisplay()).outcome != quorvane::SaveResult::Outcome::kSaved)
      state.SkipWithError("not saved");
  }
}

void SaveFloor(benchmark::State& state, bool flushed) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  const char* path = module.RomPath.c_str();
  for (auto _ : state) {
    for (const auto& slot : kFieldTable) ReadByteFloor(path, module.LocateFieldByte(kEntry, slot.position));
    for (const auto& slot : kFieldTable) {
      if (!slot.editable) continue;
      unsigned char byte = 0x5A;
      const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
      Examine(fd);
      benchmark::DoNotOptimize(::pwrite(fd, &byte, 1, module.LocateFieldByte(kEntry, slot.position)));
      if (flushed) ::fdatasync(fd);
      ::close(fd);
    }
    for (const auto& slot : kFieldTable) ReadByteFloor(path, module.LocateFieldByte(kEntry, slot.position));
  }
}

// A search through all 841 entries for the pointer that entry 1 holds: the
// search stops reading an entry at its first byte that differs, so the floor
// reads the same bytes, through one open checked as every access checks it.
std::uint32_t PointerOfEntryOne(const Module1& module) {
  std::vector<std::uint8_t> bytes;
  for (int position : {3, 2, 1}) bytes.push_back(module.ReadFieldValue(1, static_cast<std::int16_t>(position)));
  return quorvane::JoinBytes(bytes);
}

void FindPointer(benchmark::State& state) {
  OpenSession open(ImageOfSize(state.range(0)));
  const std::uint32_t value = PointerOfEntryOne(open.module);
  for (auto _ : state) benchmark::DoNotOptimize(open.session.Find(quorvane::RecordValue::kPointer, value, true));
}

void FindFloor(benchmark::State& state) {
  const Module1 module = ModuleFor(ImageOfSize(state.range(0)));
  const std::vector<std::uint8_t> pointer = quorvane::SplitBytes(PointerOfEntryOne(module), 3);
  for (auto _ : state) {
    const int fd = ::open(module.RomPath.c_str(), O_RDONLY | O_CLOEXEC);
    Examine(fd);
    for (std::int32_t entry = 1; entry <= 841; ++entry) {
      for (std::size_t at = 0; at < 3; ++at) {
        unsigned char byte = 0;
        const auto position = static_cast<std::int16_t>(3 - at);
        benchmark::DoNotOptimize(::pread(fd, &byte, 1, module.LocateFieldByte(entry, position)));
        if (byte != pointer[at]) break;
      }
    }
    ::close(fd);
  }
}

void SaveFloorFlushed(benchmark::State& state) { SaveFloor(state, true); }
void SaveFloorUnflushed(benchmark::State& state) { SaveFloor(state, false); }

BENCHMARK(ShowEntry)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(ShowFloor)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(SaveEntry)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(SaveFloorFlushed)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(SaveFloorUnflushed)->Arg(4)->Arg(64)->ArgName("MiB");
BENCHMARK(FindPointer)->Arg(4)->ArgName("MiB");
BENCHMARK(FindFloor)->Arg(4)->ArgName("MiB");

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quorvane::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nOne entry through the editing session, beside the bare system calls (fastest of the repetitions):\n");
  bool met = true;
  for (const char* size : {"4", "64"}) {
    const std::string suffix = std::string("/MiB:") + size;
    met &= reporter.PrintRatio(std::string("show an entry, ") + size + " MiB image", "ShowEntry" + suffix,
                               "ShowFloor" + suffix, 1.2);
    met &= reporter.PrintRatio(std::string("save 8 bytes, ") + size + " MiB image", "SaveEntry" + suffix,
                               "SaveFloorFlushed" + suffix, 1.2);
    reporter.PrintRatio(std::string("the flush: floor with it / without, ") + size + " MiB",
                        "SaveFloorFlushed" + suffix, "SaveFloorUnflushed" + suffix);
  }
  met &= reporter.PrintRatio("find a pointer in all 841 entries", "FindPointer/MiB:4", "FindFloor/MiB:4", 1.3);
  reporter.PrintRatio("show an entry, 64 MiB beside 4 MiB", "ShowEntry/MiB:64", "ShowEntry/MiB:4", 1.2);
  reporter.PrintRatio("save 8 bytes, 64 MiB beside 4 MiB", "SaveEntry/MiB:64", "SaveEntry/MiB:4", 1.2);
  benchmark::Shutdown();
  return met ? 0 : 1;
}
