// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Asks the editor's window, as Windows does at log-off, whether the session
// may end (WM_QUERYENDSESSION), then tells it, as Windows does when a log-off
// is called off, that the session does not end after all (WM_ENDSESSION with
// FALSE); exits with the answer: 1 yes, 0 no; 2 when no window of the
// editor's is found, 3 when it does not answer.
#include <windows.h>

int main() {
  // By the window's title, with the mark it has while an edit is unsaved.
  HWND editor = ::FindWindowW(nullptr, L"Quorvane*");
  if (editor == nullptr) editor = ::FindWindowW(nullptr, L"Quorvane");
  if (editor == nullptr) return 2;
  DWORD_PTR answer = 0;
  if (::SendMessageTimeoutW(editor, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 120000, &answer) == 0) {
    return 3;
  }
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(editor, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &ignored);
  return answer != 0 ? 1 : 0;
}
