// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Walking all 841 entries through the window (a selection change until the
// ten boxes are filled) beside the editing session's own display of each
// entry (ten checked reads), measured in the same run. Headless, on the offscreen platform.
#include <QApplication>
#include <QListWidget>
#include <cstdio>
#include <filesystem>

#include "ratio_reporter.h"
#include "rom/editing_session.h"
#include "rom/entry_offsets.h"
#include "rom/module1.h"
#include "rom/record_layout.h"
#include "synthetic_image.h"
#include "window/form1.h"

namespace {

using namespace quorvane;

const std::filesystem::path& MakeImage() {
  static const quorvane::testing::SyntheticImage image;
  return image.path();
}

// File > Open chooses the benchmark's image.
class ImageChooser : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget*, const QString&, const QString&) override {
    return QString::fromStdU16String(MakeImage().u16string());
  }
};

// Counts what would be said or asked; a walk without edits asks nothing.
class CountingNotifier : public Notifier {
 public:
  void Warn(QWidget*, const Message&) override { ++warnings; }
  EditsAnswer AskAboutEdits(QWidget*, const Message&) override {
    ++warnings;
    return EditsAnswer::kCancel;
  }
  ChangedElsewhereAnswer AskAboutChangesElsewhere(QWidget*, const Message&) override {
    ++warnings;
    return ChangedElsewhereAnswer::kCancel;
  }
  bool AskToOpenAnyway(QWidget*, const Message&) override {
    ++warnings;
    return false;
  }
  bool AskToShowNewFile(QWidget*, const Message&) override {
    ++warnings;
    return false;
  }
  std::optional<QString> AskEntryNumber(QWidget*, const QString&) override {
    ++warnings;
    return std::nullopt;
  }
  int warnings = 0;
};

void CoreWalk(benchmark::State& state) {
  Module1 module;
  module.EntryOffsets.Build();
  EditingSession session(module);
  session.Open(MakeImage(), session.Examine(MakeImage()));
  for (auto _ : state) {
    for (std::int32_t entry = kFirstEntry; entry <= kLastEntry; ++entry) benchmark::DoNotOptimize(session.Show(entry));
  }
}

void WindowWalk(benchmark::State& state) {
  Module1 module;
  EditingSession session(module);
  ImageChooser chooser;
  CountingNotifier notifier;
  Form1 form(session, chooser, notifier);
  form.Form_Load();
  form.show();
  form.file_open_Click();
  // Each walk starts on the last entry, so every one of its 841 steps is a change.
  form.List1->setCurrentRow(kEntryCount - 1);
  for (auto _ : state) {
    for (int row = 0; row < kEntryCount; ++row) form.List1->setCurrentRow(row);
    state.PauseTiming();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  if (notifier.warnings != 0) state.SkipWithError("the window reported a failure");
}

BENCHMARK(CoreWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowWalk)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  quorvane::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nAll 841 entries shown through the window, beside the session's display of each:\n");
  const bool met = reporter.PrintRatio("window walk / core walk", "WindowWalk", "CoreWalk", 2.0);
  benchmark::Shutdown();
  return met ? 0 : 1;
}
