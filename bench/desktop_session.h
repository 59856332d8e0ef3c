// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Programs on a private X display, started and driven as a user drives them,
// for the start-up and memory benchmark.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvane::desktop {

using namespace std::chrono_literals;

// A private X display (Xvfb) with a small window manager (openbox) in it, as
// a desktop has: without one, X leaves the keyboard focus nowhere after a
// dialog closes. While it lives, DISPLAY names it and Qt programs started
// from here use it. Throws std::runtime_error saying what is missing when it
// cannot be started.
class DesktopSession {
 public:
  explicit DesktopSession(bool window_manager = true);
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  const std::string& display() const { return display_; }

 private:
  pid_t server_ = -1;
  pid_t window_manager_ = -1;
  std::string display_;
};

struct CommandResult {
  int status;  // the exit status, or -1 when it had to be killed
  std::string output;
};

// Runs a program (looked up in PATH) to its end and returns what it printed.
CommandResult RunCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout = 10s);

// Starts a program in the background, its standard error going to `log`
// when one is named.
pid_t StartProcess(const std::vector<std::string>& argv, const std::filesystem::path& log = {});

// The exit status of a started program, or -1 if it has not ended in time.
int WaitForExit(pid_t pid, std::chrono::milliseconds timeout);

// Asks again and again until the answer is yes or the time is up.
bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 30s);

// Driving programs on the display as a user does (xdotool).
// The ids of the visible windows whose title is exactly `title`.
std::vector<std::string> VisibleWindows(const std::string& title);
// Presses keys (xdotool key names, such as "ctrl+o" or "Down") one after
// another, into whatever window has the focus.
void PressKeys(const std::vector<std::string>& keys, std::chrono::milliseconds delay = 40ms);
// Puts text on the clipboard (xclip) and waits until it is there.
bool SetClipboard(const std::string& text);
// Presses the keys, again each time they did not bring `done` about within
// a moment (a question takes no key in its first moments), until it is.
bool PressUntil(const std::vector<std::string>& keys, const std::function<bool()>& done,
                std::chrono::milliseconds timeout = 60s);
// Once the editor's Open command has been given: waits for its "Open ROM"
// dialog (Qt's own, or Windows' under wine) to take the keyboard, pastes the
// path into the name box and presses Enter until the dialog has closed.
// False when the dialog never showed or never closed.
bool ChooseInOpenDialog(const std::string& path);

}  // namespace quorvane::desktop
