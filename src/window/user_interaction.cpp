#include "window/user_interaction.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quorvane {

std::optional<QString> DialogFileChooser::ShowOpen(QWidget* parent, const QString& title,
                                                   const QString& filter) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setObjectName("CommonDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Only an existing file can be chosen: a mistyped name stays in the dialog.
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

void MessageBoxNotifier::Warn(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Quorvane"), message, QMessageBox::Ok, parent);
  // The text can be selected and copied: it often names a file and a reason
  // worth keeping.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}

}  // namespace quorvane
