// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/status_line.h"

#include <QLabel>
#include <QStatusBar>

#include "window/messages.h"

namespace quorvane {

StatusLine::StatusLine(QStatusBar* bar)
    : QObject(bar), image_(new ElidingLabel(bar)), last_(new AnnouncementLabel(bar)) {
  bar->setObjectName("status");
  bar->setSizeGripEnabled(false);
  image_->setObjectName("status_image");
  // A label's text is its accessible name, which is what a screen reader
  // reads of the status bar; what it is goes in the description. The last
  // command's words are said as they are, on their own.
  image_->setAccessibleDescription(tr("Image"));
  last_->setObjectName("status_last");
  bar->addWidget(image_, 1);
  bar->addPermanentWidget(last_);
  ShowNoImage();
}

void StatusLine::ShowNoImage() {
  image_->SetWords(Messages::NoImageOpen());
  SetLast({});
}

void StatusLine::ShowImage(const std::filesystem::path& path, bool writable) {
  UpdateImage(path, writable);
  SetLast({});
}

void StatusLine::UpdateImage(const std::filesystem::path& path, bool writable) {
  const QString words = Messages::ImageStatus(path, writable);
  if (words != image_->Words()) image_->SetWords(words);
}

void StatusLine::Tell(const QString& what, std::int32_t entry) {
  about_ = entry;
  SetLast(what);
}

void StatusLine::Announce(const QString& what, std::int32_t entry) {
  about_ = entry;
  SetLast(what, /*announce=*/true);
}

void StatusLine::Showing(std::int32_t entry, bool changed) {
  if (entry != about_ || changed) SetLast({});
}

void StatusLine::SetLast(const QString& words, bool announce) {
  announce ? last_->Announce(words) : last_->SetWords(words);
  emit lastWordsChanged();
}

QString StatusLine::Text() const {
  return last_->Words().isEmpty() ? image_->Words() : image_->Words() + " | " + last_->Words();
}

}  // namespace quorvane
