#include "app/seams.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace pindrel {

std::optional<QString> FileDialogChooser::ChooseSkinFile(QWidget* owner, const QString& current) {
    // A file name in the start directory makes the dialog open on that file's folder with the
    // file selected; an empty one opens on the current directory.
    const QString path =
        QFileDialog::getOpenFileName(owner, QStringLiteral("Load skin"), current,
                                     QStringLiteral("Skin file (*.ini);;All Files (*.*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

namespace {

// confirm: the dialog asks before the user picks a file that exists.
std::optional<QString> ChooseSaveFile(QWidget* owner, const QString& title,
                                      const QString& suggested, const QString& filter,
                                      const QString& suffix, bool confirm = true) {
    QFileDialog dialog(owner, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!confirm) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> FileDialogChooser::ChooseExportFile(QWidget* owner,
                                                           const QString& suggested) {
    return ChooseSaveFile(owner, QStringLiteral("Export PNG"), suggested,
                          QStringLiteral("PNG image (*.png)"), QStringLiteral("png"));
}

std::optional<QString> FileDialogChooser::ChoosePackageFile(QWidget* owner,
                                                            const QString& suggested) {
    return ChooseSaveFile(owner, QStringLiteral("Export skin package"), suggested,
                          QStringLiteral("Zip archive (*.zip)"), QStringLiteral("zip"));
}

std::optional<QString> FileDialogChooser::ChooseMockupFile(QWidget* owner, const QString& current) {
    const QString path = QFileDialog::getOpenFileName(
        owner, QStringLiteral("Import mock-up"), current,
        QStringLiteral("Layered mock-up (*.ora *.psd);;All Files (*.*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> FileDialogChooser::ChoosePictureFile(QWidget* owner, const QString& title,
                                                            const QString& folder) {
    const QString path = QFileDialog::getOpenFileName(
        owner, title, folder,
        QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg);;All Files (*.*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> FileDialogChooser::ChooseNewSkinFile(QWidget* owner,
                                                            const QString& suggested) {
    // The import asks before it replaces anything, so the dialog need not.
    return ChooseSaveFile(owner, QStringLiteral("Save new skin"), suggested,
                          QStringLiteral("Skin file (*.ini)"), QStringLiteral("ini"), false);
}

void MessageBoxSink::ShowWarning(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxSink::Confirm(QWidget* owner, const QString& text, const QString& yes,
                             const QString& no) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, owner);
    QPushButton* first = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(first);
    box.exec();
    return box.clickedButton() == first;
}

UnsavedChoice MessageBoxSink::AskUnsaved(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::Save;
    case QMessageBox::Discard:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Cancel;
    }
}

} // namespace pindrel
