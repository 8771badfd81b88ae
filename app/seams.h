#pragma once

#include <optional>

#include <QString>

class QWidget;

namespace pindrel {

// Asks the user for a skin file.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen existing file, starting on current; nothing when the user cancels.
    virtual std::optional<QString> ChooseSkinFile(QWidget* owner, const QString& current) = 0;
    // Where to save a PNG image, starting on suggested; nothing when the user cancels.
    virtual std::optional<QString> ChooseExportFile(QWidget* owner, const QString& suggested) = 0;
};

// Tells the user something went wrong.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows text modally, with an OK button and the warning icon, until dismissed.
    virtual void ShowWarning(QWidget* owner, const QString& text) = 0;
};

// The platform's open-file dialog.
class FileDialogChooser final : public FileChooser {
public:
    std::optional<QString> ChooseSkinFile(QWidget* owner, const QString& current) override;
    std::optional<QString> ChooseExportFile(QWidget* owner, const QString& suggested) override;
};

// A message box titled with the program's name.
class MessageBoxSink final : public MessageSink {
public:
    void ShowWarning(QWidget* owner, const QString& text) override;
};

} // namespace pindrel
