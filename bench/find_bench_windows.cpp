// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows: a search through all 841 entries for a pointer, beside the
// bare calls it cannot avoid: one CreateFileW, the handle asked what it is,
// a ReadFile at each offset it needs, one CloseHandle. Google Benchmark is
// not built for Windows here, so this program times both itself, in turns,
// and keeps the fastest of each; script/bench runs it under wine.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "rom/editing_session.h"
#include "rom/module1.h"
#include "synthetic_image.h"

namespace {

using Clock = std::chrono::steady_clock;
using quorvane::Module1;

constexpr int kRounds = 10;
constexpr double kTarget = 1.3;
// Three bytes in each of 841 entries: the search's bytes when every entry
// holds the value, as in an image of zeros.
constexpr std::int32_t kEntries = 841;

// The floor reads what the search reads, an entry's pointer bytes, most
// significant first, up to the first that differs, through one handle:
// open, ask the handle what it is (the identity and the size every access
// checks), read at each offset, close. Returns the matches.
int FindFloor(const Module1& module, const std::wstring& path, std::uint32_t value) {
  const HANDLE handle =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  FILE_STANDARD_INFO standard{};
  ::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard);
  FILE_ID_INFO id{};
  ::GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof id);
  int matches = 0;
  for (std::int32_t entry = 1; entry <= kEntries; ++entry) {
    bool holds = true;
    for (int position : {3, 2, 1}) {
      unsigned char byte = 0xFF;
      DWORD count = 0;
      OVERLAPPED at{};
      at.Offset = module.LocateFieldByte(entry, static_cast<std::int16_t>(position));
      ::ReadFile(handle, &byte, 1, &count, &at);
      if (byte != ((value >> (8 * (position - 1))) & 0xFF)) {
        holds = false;
        break;
      }
    }
    matches += holds ? 1 : 0;
  }
  ::CloseHandle(handle);
  return matches;
}

template <typename Work>
double Seconds(Work&& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
  // An image of zeros, in which every entry holds the same pointer.
  const quorvane::testing::SyntheticImage made(4u << 20);
  quorvane::testing::WriteWholeFile(made.path(), std::vector<std::uint8_t>(4u << 20));
  const std::filesystem::path& image = made.path();

  Module1 module;
  module.EntryOffsets.Build();
  quorvane::EditingSession session(module);
  session.Open(image, session.Examine(image));
  session.Show(1);
  const std::uint32_t value = session.ShownValue(quorvane::RecordValue::kPointer);

  double search = std::numeric_limits<double>::max();
  double floor = std::numeric_limits<double>::max();
  std::size_t found = 0;
  int floor_found = 0;
  for (int round = 0; round < kRounds; ++round) {
    search = std::min(
        search, Seconds([&] { found = session.Find(quorvane::RecordValue::kPointer, value, true).matches.size(); }));
    floor = std::min(floor, Seconds([&] { floor_found = FindFloor(module, image.wstring(), value); }));
  }

  if (found != kEntries || floor_found != kEntries) {
    std::printf("find: the search found %zu entries and the floor %d, where all %d hold the value\n", found,
                floor_found, kEntries);
    return 1;
  }
  const double ratio = search / floor;
  std::printf("%-46s %9.1f ms / %9.1f ms = %5.2fx  (target <= %.2fx) %s\n", "find a pointer in all 841 entries",
              search * 1e3, floor * 1e3, ratio, kTarget, ratio <= kTarget ? "ok" : "MISSED");
  std::fflush(stdout);
  return ratio <= kTarget ? 0 : 1;
}
