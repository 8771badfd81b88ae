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
    // A layered mock-up to import, starting on current; nothing when the user cancels.
    virtual std::optional<QString> ChooseMockupFile(QWidget*, const QString&) {
        return std::nullopt;
    }
    // Where to write a new skin, starting on suggested; nothing when the user cancels.
    virtual std::optional<QString> ChooseNewSkinFile(QWidget*, const QString&) {
        return std::nullopt;
    }
    // A picture for a skin (BMP, PNG or JPEG), the question in the title, starting in folder;
    // nothing when the user cancels.
    virtual std::optional<QString> ChoosePictureFile(QWidget*, const QString&, const QString&) {
        return std::nullopt;
    }
    // Where to save a skin package (a zip), starting on suggested; nothing when the user cancels.
    virtual std::optional<QString> ChoosePackageFile(QWidget* owner, const QString& suggested) = 0;
};

// What to do with edits that were not saved.
enum class UnsavedChoice { Save, Discard, Cancel };

// Tells the user something went wrong, and asks what to do about it.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows text modally, with an OK button and the warning icon, until dismissed.
    virtual void ShowWarning(QWidget* owner, const QString& text) = 0;
    // Asks a question with two answers; true for the first, which is the default.
    virtual bool Confirm(QWidget* owner, const QString& text, const QString& yes,
                         const QString& no) = 0;
    // Asks whether to save edits, drop them or go on editing.
    virtual UnsavedChoice AskUnsaved(QWidget* owner, const QString& text) = 0;
};

// The platform's open-file dialog.
class FileDialogChooser final : public FileChooser {
public:
    std::optional<QString> ChooseSkinFile(QWidget* owner, const QString& current) override;
    std::optional<QString> ChooseExportFile(QWidget* owner, const QString& suggested) override;
    std::optional<QString> ChooseMockupFile(QWidget* owner, const QString& current) override;
    std::optional<QString> ChooseNewSkinFile(QWidget* owner, const QString& suggested) override;
    std::optional<QString> ChoosePictureFile(QWidget* owner, const QString& title,
                                             const QString& folder) override;
    std::optional<QString> ChoosePackageFile(QWidget* owner, const QString& suggested) override;
};

// A message box titled with the program's name.
class MessageBoxSink final : public MessageSink {
public:
    void ShowWarning(QWidget* owner, const QString& text) override;
    bool Confirm(QWidget* owner, const QString& text, const QString& yes,
                 const QString& no) override;
    UnsavedChoice AskUnsaved(QWidget* owner, const QString& text) override;
};

} // namespace pindrel
