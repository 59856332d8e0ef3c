// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/user_interaction.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "window/plain_message_box.h"
#include "window/question_box.h"

namespace quorvane {

std::optional<QString> DialogFileChooser::ShowOpen(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setObjectName("CommonDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Only an existing file can be chosen: a mistyped name stays in the dialog.
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

void MessageBoxNotifier::Warn(QWidget* parent, const Message& message) {
  PlainMessageBox box(QMessageBox::Warning, message.text, parent);
  box.addButton(QMessageBox::Ok);
  box.exec();
}

Notifier::EditsAnswer MessageBoxNotifier::AskAboutEdits(QWidget* parent, const Message& question) {
  QuestionBox box(QMessageBox::Question, question.text, parent);
  // Each answer has an access key taken with Alt, and none is a hex digit.
  QPushButton* save = box.addButton(QObject::tr("&Save"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QObject::tr("Do&n't Save"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return EditsAnswer::kSave;
  if (box.clickedButton() == discard) return EditsAnswer::kDiscard;
  return EditsAnswer::kCancel;
}

Notifier::ChangedElsewhereAnswer MessageBoxNotifier::AskAboutChangesElsewhere(QWidget* parent,
                                                                              const Message& question) {
  QuestionBox box(QMessageBox::Warning, question.text, parent);
  QPushButton* reload = box.addButton(QObject::tr("&Reload"), QMessageBox::DestructiveRole);
  QPushButton* mine = box.addButton(QObject::tr("Save &Mine"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
  // Enter leaves everything as it is: either other answer drops someone's bytes.
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == reload) return ChangedElsewhereAnswer::kReload;
  if (box.clickedButton() == mine) return ChangedElsewhereAnswer::kSaveMine;
  return ChangedElsewhereAnswer::kCancel;
}

bool MessageBoxNotifier::AskToOpenAnyway(QWidget* parent, const Message& question) {
  return AskOrCancel(parent, question, QObject::tr("&Open Anyway"));
}

bool MessageBoxNotifier::AskToShowNewFile(QWidget* parent, const Message& question) {
  return AskOrCancel(parent, question, QObject::tr("Show &New File"));
}

bool MessageBoxNotifier::AskOrCancel(QWidget* parent, const Message& question, const QString& answer) {
  QuestionBox box(QMessageBox::Warning, question.text, parent);
  QPushButton* open = box.addButton(answer, QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == open;
}

std::optional<QString> MessageBoxNotifier::AskEntryNumber(QWidget* parent, const QString& prompt) {
  bool ok = false;
  const QString typed = QInputDialog::getText(parent, QObject::tr("Go to Entry"), prompt, QLineEdit::Normal, {}, &ok);
  if (!ok) return std::nullopt;
  return typed;
}

}  // namespace quorvane
