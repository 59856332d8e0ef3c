// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/dialog_gate.h"

#include <QApplication>
#include <QEvent>
#include <QScopeGuard>
#include <QWidget>

namespace quorvane {

DialogGate::DialogGate(QWidget* window, FileChooser& chooser, Notifier& notifier)
    : window_(window), chooser_(chooser), notifier_(notifier) {}

DialogGate::~DialogGate() { qApp->removeEventFilter(this); }

template <typename Dialog>
auto DialogGate::Through(const Dialog& dialog) {
  ++opened_;
  if (open_++ == 0) {
    if (on_opening_) on_opening_();
    qApp->installEventFilter(this);
  }
  const auto closing = qScopeGuard([this] {
    if (--open_ == 0) qApp->removeEventFilter(this);
  });
  return dialog();
}

std::optional<QString> DialogGate::ShowOpen(QWidget* parent, const QString& title, const QString& filter) {
  return Through([&] { return chooser_.ShowOpen(parent, title, filter); });
}

void DialogGate::Warn(QWidget* parent, const Message& message) {
  Through([&] { notifier_.Warn(parent, message); });
}

Notifier::EditsAnswer DialogGate::AskAboutEdits(QWidget* parent, const Message& question) {
  return Through([&] { return notifier_.AskAboutEdits(parent, question); });
}

Notifier::ChangedElsewhereAnswer DialogGate::AskAboutChangesElsewhere(QWidget* parent, const Message& question) {
  return Through([&] { return notifier_.AskAboutChangesElsewhere(parent, question); });
}

bool DialogGate::AskToOpenAnyway(QWidget* parent, const Message& question) {
  return Through([&] { return notifier_.AskToOpenAnyway(parent, question); });
}

bool DialogGate::AskToShowNewFile(QWidget* parent, const Message& question) {
  return Through([&] { return notifier_.AskToShowNewFile(parent, question); });
}

std::optional<QString> DialogGate::AskEntryNumber(QWidget* parent, const QString& prompt) {
  return Through([&] { return notifier_.AskEntryNumber(parent, prompt); });
}

bool DialogGate::IsWindows(const QWidget& widget) const {
  // The window itself, or a window of its own that stays open beside it
  // (the find window); not the dialog, which is modal, nor its menus.
  const QWidget* top = widget.window();
  return top == window_ || (top->parentWidget() == window_ && !top->isModal() && top->windowType() != Qt::Popup);
}

bool DialogGate::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
      break;
    default:
      return false;
  }
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || !IsWindows(*widget)) return false;
  // An accepted override keeps a key from every shortcut; then the key
  // itself goes nowhere. A drag is refused.
  event->setAccepted(event->type() == QEvent::ShortcutOverride);
  return true;
}

}  // namespace quorvane
