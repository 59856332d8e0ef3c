// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private X display, and programs on it driven as a user drives them:
// keys pressed with xdotool, the clipboard read and set with xclip.

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <functional>

namespace quorvane::testing {

// How long to wait for a state, generously: a busy machine may be slow.
inline constexpr int kPatience = 60000;  // milliseconds

// Runs a program to its end, `input` on its standard input, and returns what
// it printed; one that has not ended within a minute is ended.
inline QString Exec(const QStringList& command, const QByteArray& input = {}) {
  QProcess process;
  process.start(command.first(), command.mid(1));
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(kPatience)) process.kill();
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString Clipboard() { return Exec({"xclip", "-o", "-selection", "clipboard"}); }

// The ids of the visible windows whose title matches `title` whole.
inline QStringList VisibleWindows(const QString& title) {
  return Exec({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}).split('\n', Qt::SkipEmptyParts);
}

// Keys by xdotool's names ("ctrl+o", "Down", "7") into the window with the
// focus, a moment apart as a typist presses them: pressed faster, a key now
// and then goes astray as a dialog closes, under wine most of all.
inline void Press(const QStringList& keys) { Exec(QStringList{"xdotool", "key", "--delay", "40"} + keys); }

// Presses the keys, again each time they did not bring `done` about within
// a moment (a question takes no key in its first moments), until it is.
inline bool PressUntil(const QStringList& keys, const std::function<bool()>& done) {
  for (const QDeadlineTimer deadline(kPatience); !deadline.hasExpired();) {
    if (done()) return true;
    Press(keys);
    if (QTest::qWaitFor(done, 2000)) return true;
  }
  return false;
}

// Once the Open command has been given: waits for the "Open ROM" dialog (Qt's
// own, or Windows' under wine) to take the keyboard, pastes the name whole,
// so that no key of it goes astray on a busy machine, and presses Enter
// until the dialog has closed (the name box's completer may take the first).
inline bool ChooseInOpenDialog(const QString& name) {
  Exec({"xclip", "-selection", "clipboard", "-in"}, name.toUtf8());
  const auto ready = [&] {  // the name on the clipboard, and the keyboard in the dialog
    return Clipboard() == name && VisibleWindows("Open ROM").contains(Exec({"xdotool", "getwindowfocus"}).trimmed());
  };
  if (!QTest::qWaitFor(ready, kPatience)) return false;
  Press({"ctrl+a", "ctrl+v"});
  return PressUntil({"Return"}, [] { return VisibleWindows("Open ROM").isEmpty(); });
}

// Xvfb with a small window manager (openbox) in it, as a desktop has: without
// one, X leaves the keyboard focus nowhere after a dialog closes. While it
// lives, programs started from here show their windows there.
class XDesktop {
 public:
  XDesktop() {
    // Output nobody reads must not fill a pipe and stall the program: what
    // Xvfb and openbox say goes into the test's report.
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window_manager_.setProcessChannelMode(QProcess::ForwardedChannels);
    // Without -noreset, Xvfb resets itself whenever its last client leaves
    // (an xprop below may leave before openbox is in), and a client that
    // comes in the meantime finds the display closed.
    server_.start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    // It picks a free display itself and prints its number once it is ready.
    while (!server_.canReadLine() && server_.waitForReadyRead(30000)) continue;
    qputenv("DISPLAY", ":" + server_.readLine().trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    window_manager_.start("openbox", {"--sm-disable"});
    // openbox announces itself on the root window once it manages windows.
    const auto managed = [] { return Exec({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); };
    ready = QTest::qWaitFor(managed, kPatience);
  }
  ~XDesktop() {
    for (QProcess* process : {&window_manager_, &server_}) process->terminate(), process->waitForFinished();
  }
  bool ready = false;

 private:
  QProcess server_;
  QProcess window_manager_;
};

}  // namespace quorvane::testing
