#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quorvane {

// The file chooser of the window. Seen through this interface so that the
// window can be driven without modal dialogs.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file name, or nullopt when the user cancels.
  virtual std::optional<QString> ShowOpen(QWidget* parent, const QString& title,
                                          const QString& filter) = 0;
};

// Where the window tells the user that something failed.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void Warn(QWidget* parent, const QString& message) = 0;
};

// The real ones: the toolkit's file dialog and a warning message box.
class DialogFileChooser : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget* parent, const QString& title,
                                  const QString& filter) override;
};

class MessageBoxNotifier : public Notifier {
 public:
  void Warn(QWidget* parent, const QString& message) override;
};

}  // namespace quorvane
