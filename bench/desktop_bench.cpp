// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of the editor on a real X display (Xvfb),
// each beside a bare Qt 6 main window built in the same run.
//   start-up: from launch to the first window being mapped (MapNotify);
//   memory:   peak resident size (VmHWM) after opening an image through the
//             file dialog and walking 100 entries, beside the bare window
//             after it has shown Qt's file dialog once.
#include <poll.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "desktop_session.h"
#include "ratio_reporter.h"
#include "synthetic_image.h"

namespace {

using namespace quorvane::desktop;
using Clock = std::chrono::steady_clock;

std::unique_ptr<DesktopSession> session;

// The title a window carries (WM_NAME), as wine and Qt set it before mapping.
std::string WindowTitle(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (reply == nullptr) return {};
  const std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  free(reply);
  return title;
}

// Seconds from launch to the program's main window (the first top-level
// window with that title; wine maps windows of its own too) being mapped.
double SecondsToFirstMap(const std::vector<std::string>& command, const std::string& title) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const auto start = Clock::now();
  const pid_t pid = StartProcess(command);
  // A program that dies, or never shows its window, must not hang the run.
  const auto deadline = start + std::chrono::seconds(60);
  double seconds = -1;
  bool exited = false;
  while (seconds < 0 && !exited && Clock::now() < deadline && xcb_connection_has_error(connection) == 0) {
    xcb_generic_event_t* event = xcb_poll_for_event(connection);
    if (event == nullptr) {
      pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
      ::poll(&readable, 1, 100);
      exited = WaitForExit(pid, std::chrono::milliseconds(0)) >= 0;
      continue;
    }
    const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                        WindowTitle(connection, reinterpret_cast<xcb_map_notify_event_t*>(event)->window) == title;
    free(event);
    if (mapped) seconds = std::chrono::duration<double>(Clock::now() - start).count();
  }
  xcb_disconnect(connection);
  if (!exited) {
    ::kill(pid, SIGTERM);
    WaitForExit(pid, std::chrono::seconds(10));
  }
  return seconds;
}

void StartUp(benchmark::State& state, const std::vector<std::string>& command, const std::string& title) {
  for (auto _ : state) {
    const double seconds = SecondsToFirstMap(command, title);
    if (seconds < 0) {
      state.SkipWithError("no window was mapped");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

long PeakResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

bool WindowShown(const std::string& title) { return !VisibleWindows(title).empty(); }

constexpr std::chrono::milliseconds kKeyDelay(15);

// The editor: open an image through the file dialog, walk 100 entries.
long EditorPeakKiB(const std::string& program, const std::string& image) {
  const pid_t pid = StartProcess({program});
  long peak = -1;
  if (Eventually([] { return WindowShown("Quorvane"); }, std::chrono::seconds(30))) {
    PressKeys({"ctrl+o"}, kKeyDelay);
    if (ChooseInOpenDialog(image)) {
      PressKeys(std::vector<std::string>(100, "Down"), kKeyDelay);
      // Copy Pointer once the walk is through, so the last display has run.
      PressKeys({"ctrl+p"}, kKeyDelay);
      RunCommand({"xclip", "-o", "-selection", "clipboard"}, std::chrono::seconds(5));
      peak = PeakResidentKiB(pid);
    }
  }
  ::kill(pid, SIGTERM);
  WaitForExit(pid, std::chrono::seconds(10));
  return peak;
}

// The bare window: shows the file dialog once and closes it itself.
long BarePeakKiB(const std::string& program) {
  const pid_t pid = StartProcess({program, "--dialog"});
  long peak = -1;
  if (Eventually([] { return WindowShown("Open ROM"); }, std::chrono::seconds(30)) &&
      Eventually([] { return !WindowShown("Open ROM"); })) {
    peak = PeakResidentKiB(pid);
  }
  ::kill(pid, SIGTERM);
  WaitForExit(pid, std::chrono::seconds(10));
  return peak;
}

// The smallest of a few runs: the peak with the least disturbance.
long SmallestOf(int runs, const std::function<long()>& measure) {
  long smallest = -1;
  for (int run = 0; run < runs; ++run) {
    const long peak = measure();
    if (peak >= 0 && (smallest < 0 || peak < smallest)) smallest = peak;
  }
  return smallest;
}

// Registers alternating single launches of each program, so that a busy
// moment of the machine falls on all alike.
void RegisterStartUps(const std::vector<std::string>& launcher, const std::string& editor, const std::string& bare) {
  const auto command = [&launcher](std::vector<std::string> program) {
    program.insert(program.begin(), launcher.begin(), launcher.end());
    return program;
  };
  for (int repeat = 0; repeat < 5; ++repeat) {
    benchmark::RegisterBenchmark("StartUp/editor", StartUp, command({editor}), "Quorvane")
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartUp/bare", StartUp, command({bare}), "Bare")
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartUp/bare_with_menus", StartUp, command({bare, "--menus"}), "Bare")
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
}

bool PrintStartUpRatios(const quorvane::bench::RatioReporter& reporter, double limit) {
  const bool met =
      reporter.PrintRatio("start-up, launch to window mapped (fastest)", "StartUp/editor/iterations:1/manual_time",
                          "StartUp/bare/iterations:1/manual_time", limit);
  std::printf("  for reference, the editor beside a bare window with a menu bar and a caption:\n");
  reporter.PrintRatio("  start-up, launch to window mapped (fastest)", "StartUp/editor/iterations:1/manual_time",
                      "StartUp/bare_with_menus/iterations:1/manual_time", limit);
  return met;
}

// The Windows programs under wine: start-up only.
int WindowsStartUp(const std::string& editor, const std::string& bare) {
  const std::vector<std::string> wine = {"/usr/lib/wine/wine64"};
  // wine's own start (its server, its first process) is paid once, here.
  SecondsToFirstMap({wine[0], bare}, "Bare");
  RegisterStartUps(wine, editor, bare);
  quorvane::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nThe Windows editor beside a bare Qt 6 main window for Windows, both under wine, same run:\n");
  return PrintStartUpRatios(reporter, 1.15) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const bool windows = argc == 4 && std::string(argv[1]) == "--wine";
  if (argc != 3 && !windows) {
    std::fprintf(stderr,
                 "usage: desktop_bench EDITOR BARE_WINDOW\n"
                 "       desktop_bench --wine EDITOR.EXE BARE_WINDOW.EXE\n");
    return 2;
  }
  try {
    session = std::make_unique<DesktopSession>(/*window_manager=*/false);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "desktop_bench: %s\n", error.what());
    return 1;
  }
  if (windows) {
    const int status = WindowsStartUp(argv[2], argv[3]);
    benchmark::Shutdown();
    return status;
  }
  const std::string editor = argv[1];
  const std::string bare = argv[2];
  // A name with a space, as users' images often have.
  const quorvane::testing::SyntheticImage image(quorvane::testing::kFullImageSize, "bench image.smc");
  RegisterStartUps({}, editor, bare);
  quorvane::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  // Memory needs keyboard focus in dialogs: a window manager, as a desktop has.
  session.reset();
  session = std::make_unique<DesktopSession>(/*window_manager=*/true);
  const long editor_peak = SmallestOf(3, [&] { return EditorPeakKiB(editor, image.path().string()); });
  const long bare_peak = SmallestOf(3, [&] { return BarePeakKiB(bare); });

  std::printf("\nThe editor beside a bare Qt 6 main window, same run:\n");
  bool met = PrintStartUpRatios(reporter, 1.2);
  if (editor_peak < 0 || bare_peak < 0) {
    std::printf("peak memory: could not drive the programs\n");
    met = false;
  } else {
    const double ratio = static_cast<double>(editor_peak) / static_cast<double>(bare_peak);
    std::printf("%-46s %10ld KiB / %8ld KiB = %5.2fx  (target <= 1.2x) %s\n",
                "peak memory, open + 100 entries (smallest)", editor_peak, bare_peak, ratio,
                ratio <= 1.2 ? "ok" : "MISSED");
    met = met && ratio <= 1.2;
  }
  benchmark::Shutdown();
  return met ? 0 : 1;
}
