// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quorvane::desktop {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgumentVector(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Spawns with standard input from /dev/null, standard output into `output`
// (or /dev/null when -1), standard error into the file `log` (or /dev/null),
// and `extra` kept open as descriptor 3 when it is not -1.
pid_t Spawn(const std::vector<std::string>& argv, int output, int extra = -1, const std::filesystem::path& log = {}) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (output >= 0) {
    posix_spawn_file_actions_adddup2(&actions, output, 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  if (log.empty()) {
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  if (extra >= 0) posix_spawn_file_actions_adddup2(&actions, extra, 3);
  pid_t pid = -1;
  std::vector<char*> arguments = ArgumentVector(argv);
  const int error = posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
  return pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  if (WaitForExit(pid, 3s) == -1) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
}

}  // namespace

DesktopSession::DesktopSession(bool window_manager) {
  // Xvfb picks a free display itself and writes its number to descriptor 3.
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  try {
    server_ = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, -1, pipe_ends[1]);
  } catch (const std::exception& error) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    throw std::runtime_error(std::string(error.what()) +
                             " (the X server for desktop tests; script/bootstrap installs xvfb)");
  }
  ::close(pipe_ends[1]);
  std::string number;
  pollfd waiting{pipe_ends[0], POLLIN, 0};
  const auto deadline = Clock::now() + 20s;
  while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
    if (::poll(&waiting, 1, 200) <= 0) continue;
    char buffer[16];
    const ssize_t count = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (count <= 0) break;
    number.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(pipe_ends[0]);
  if (number.find('\n') == std::string::npos) {
    Stop(server_);
    throw std::runtime_error("Xvfb did not start: no X display for the desktop tests");
  }
  display_.assign(1, ':').append(number, 0, number.find('\n'));
  ::setenv("DISPLAY", display_.c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);

  if (window_manager) {
    window_manager_ = Spawn({"openbox", "--sm-disable"}, -1);
    // openbox announces itself on the root window once it manages windows.
    const bool ready = Eventually(
        [] {
          return RunCommand({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).output.find("window id") !=
                 std::string::npos;
        },
        20s);
    if (!ready) throw std::runtime_error("openbox did not start in the X display " + display_);
  }
}

DesktopSession::~DesktopSession() {
  Stop(window_manager_);
  Stop(server_);
}

CommandResult RunCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  pid_t pid;
  try {
    pid = Spawn(argv, pipe_ends[1]);
  } catch (...) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    throw;
  }
  ::close(pipe_ends[1]);
  std::string output;
  const auto deadline = Clock::now() + timeout;
  pollfd waiting{pipe_ends[0], POLLIN, 0};
  bool timed_out = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      timed_out = true;
      break;
    }
    if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t count = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (count <= 0) break;
    output.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(pipe_ends[0]);
  if (timed_out) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return {-1, output};
  }
  const int status = WaitForExit(pid, timeout);
  return {status, output};
}

pid_t StartProcess(const std::vector<std::string>& argv, const std::filesystem::path& log) {
  return Spawn(argv, -1, -1, log);
}

int WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (done < 0 && errno != EINTR) return -1;
    if (Clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(20ms);
  }
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
}

std::vector<std::string> VisibleWindows(const std::string& title) {
  const std::string found = RunCommand({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}).output;
  std::vector<std::string> ids;
  std::size_t start = 0;
  while (start < found.size()) {
    std::size_t end = found.find('\n', start);
    if (end == std::string::npos) end = found.size();
    if (end > start) ids.push_back(found.substr(start, end - start));
    start = end + 1;
  }
  return ids;
}

void PressKeys(const std::vector<std::string>& keys, std::chrono::milliseconds delay) {
  std::vector<std::string> command = {"xdotool", "key", "--clearmodifiers", "--delay", std::to_string(delay.count())};
  command.insert(command.end(), keys.begin(), keys.end());
  RunCommand(command, 60s);
}

bool SetClipboard(const std::string& text) {
  // xclip stays behind to serve the clipboard until another program takes it.
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("quorvane-clip-" + std::to_string(::getpid()));
  { std::ofstream(file, std::ios::binary) << text; }
  const pid_t xclip = StartProcess({"xclip", "-selection", "clipboard", "-in", file.string()});
  WaitForExit(xclip, 10s);
  const bool set = Eventually([&] {
    return RunCommand({"xclip", "-o", "-selection", "clipboard"}, 3s).output == text;
  });
  std::filesystem::remove(file);
  return set;
}

bool PressUntil(const std::vector<std::string>& keys, const std::function<bool()>& done,
                std::chrono::milliseconds timeout) {
  return Eventually(
      [&] {
        if (done()) return true;
        PressKeys(keys);
        return Eventually(done, 2s);
      },
      timeout);
}

bool ChooseInOpenDialog(const std::string& path) {
  auto dialog_shown = [] { return !VisibleWindows("Open ROM").empty(); };
  if (!SetClipboard(path) || !Eventually(dialog_shown, 60s)) return false;
  // Shown is not yet focused: on a cold start the first keys would go to the
  // main window. Wait for the dialog to take the keyboard.
  auto dialog_focused = [] {
    const std::vector<std::string> dialogs = VisibleWindows("Open ROM");
    std::string focused = RunCommand({"xdotool", "getwindowfocus"}).output;
    while (!focused.empty() && focused.back() == '\n') focused.pop_back();
    return std::find(dialogs.begin(), dialogs.end(), focused) != dialogs.end();
  };
  if (!Eventually(dialog_focused, 60s)) return false;
  // The name pasted whole, so that no key of it goes astray on a busy
  // machine; Enter again until the dialog has closed (the name box's
  // completer may take the first).
  PressKeys({"ctrl+a", "ctrl+v"});
  return PressUntil(
      {"Return"}, [&] { return !dialog_shown(); }, 60s);
}

}  // namespace quorvane::desktop
